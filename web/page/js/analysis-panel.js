// The analysis side panel: the engine's best lines as a table, live search
// figures, and a stepper through the principal variation of the chosen line.
// It also says which stones of that variation the board should show.

import { boardName } from './coords.js';
import { BLACK } from './game-end.js';
import { formatValue } from './nbest.js';

function formatCount(n, unit) {
  if (n >= 1e9) return `${(n / 1e9).toFixed(2)} G${unit}`;
  if (n >= 1e6) return `${(n / 1e6).toFixed(2)} M${unit}`;
  if (n >= 1e3) return `${(n / 1e3).toFixed(1)} k${unit}`;
  return `${n} ${unit}`;
}

export function formatStats(stats) {
  const perSecond = stats.nps ?? (stats.ms > 0 ? Math.round((stats.nodes * 1000) / stats.ms) : 0);
  const seconds = ((stats.ms ?? 0) / 1000).toFixed(1);
  return `depth ${stats.depth} · ${formatCount(stats.nodes, 'nodes')} · ${formatCount(perSecond, 'nodes/s')} · ${seconds} s`;
}

export class AnalysisPanel {
  constructor(elements, onChange) {
    this.el = elements;
    this.onChange = onChange;
    this.size = 15;
    this.reset();
    elements.prev.addEventListener('click', () => this.step(-1));
    elements.next.addEventListener('click', () => this.step(1));
    elements.lines.addEventListener('click', (event) => {
      const row = event.target.closest('tr[data-rank]');
      if (row) this.choose(Number(row.dataset.rank));
    });
  }

  reset(size = this.size) {
    this.size = size;
    this.lines = [];
    this.stats = null;
    this.done = false;
    this.chosenRank = 1;
    this.pvStep = 0;
    this.render();
  }

  update(set) {
    if (set.lines.length) this.lines = set.lines;
    this.stats = set.stats;
    this.done = set.done;
    if (!this.chosenLine()) this.chosenRank = 1;
    this.pvStep = Math.min(this.pvStep, this.chosenLine()?.pv.length ?? 0);
    this.render();
    this.onChange();
  }

  chosenLine() {
    return this.lines.find((line) => line.rank === this.chosenRank);
  }

  choose(rank) {
    this.chosenRank = rank;
    this.pvStep = 0;
    this.render();
    this.onChange();
  }

  step(delta) {
    const length = this.chosenLine()?.pv.length ?? 0;
    this.pvStep = Math.max(0, Math.min(length, this.pvStep + delta));
    this.render();
    this.onChange();
  }

  // The first pvStep stones of the chosen variation, numbered from 1, the
  // first of them in the colour to move.
  ghosts(colourToMove) {
    const line = this.chosenLine();
    if (!line) return [];
    return line.pv.slice(0, this.pvStep).map((p, i) => ({
      ...p,
      number: i + 1,
      colour: (i % 2 === 0) === (colourToMove === BLACK) ? 'black' : 'white',
    }));
  }

  rowMarkup(line) {
    const chosen = line.rank === this.chosenRank ? ' class="chosen"' : '';
    const pv = line.pv.map((p) => boardName(p.x, p.y, this.size)).join(' ');
    return `<tr data-rank="${line.rank}"${chosen}><td>${line.rank}</td>` +
      `<td class="move">${boardName(line.move.x, line.move.y, this.size)}</td>` +
      `<td class="value">${formatValue(line.value)}</td><td>${line.depth}</td><td class="pv">${pv}</td></tr>`;
  }

  render() {
    this.el.lines.innerHTML = this.lines.map((line) => this.rowMarkup(line)).join('');
    this.el.stats.textContent = this.stats ? formatStats(this.stats) + (this.done ? ' (search ended)' : '') : '';
    const length = this.chosenLine()?.pv.length ?? 0;
    this.el.step.textContent = `${this.pvStep} / ${length}`;
    this.el.prev.disabled = this.pvStep === 0;
    this.el.next.disabled = this.pvStep >= length;
  }
}
