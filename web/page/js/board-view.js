// The board drawn as SVG: grid, coordinates, stones (numbered on request),
// the last move, the winning row, black's forbidden points under Renju and
// the analysis overlays. Every mark carries data-x/data-y so that it can be
// found without reading pixels.

import { COLUMN_LETTERS } from './coords.js';
import { formatValue } from './nbest.js';

const CELL = 32;
const MARGIN = 40;

function at(i) {
  return MARGIN + i * CELL;
}

function starPoints(size) {
  const edge = 3;
  const far = size - 1 - edge;
  const mid = (size - 1) / 2;
  const points = [[edge, edge], [edge, far], [far, edge], [far, far]];
  if (Number.isInteger(mid)) points.push([mid, mid]);
  return points;
}

function gridMarkup(size) {
  const end = at(size - 1);
  const parts = [];
  for (let i = 0; i < size; i++) {
    parts.push(`<line class="grid" x1="${at(0)}" y1="${at(i)}" x2="${end}" y2="${at(i)}"/>`);
    parts.push(`<line class="grid" x1="${at(i)}" y1="${at(0)}" x2="${at(i)}" y2="${end}"/>`);
    parts.push(`<text class="label" x="${at(i)}" y="${end + MARGIN * 0.7}">${COLUMN_LETTERS[i]}</text>`);
    parts.push(`<text class="label" x="${MARGIN * 0.3}" y="${at(i)}">${size - i}</text>`);
  }
  for (const [x, y] of starPoints(size)) parts.push(`<circle class="star" cx="${at(x)}" cy="${at(y)}" r="3.5"/>`);
  return parts.join('');
}

function stoneMarkup(m, colour, label, extraClass = '') {
  const text = label === '' ? '' : `<text class="number" x="${at(m.x)}" y="${at(m.y)}">${label}</text>`;
  return `<g class="stone ${colour} ${extraClass}" data-x="${m.x}" data-y="${m.y}">` +
    `<circle cx="${at(m.x)}" cy="${at(m.y)}" r="${CELL * 0.46}"/>${text}</g>`;
}

function stonesMarkup(moves, showNumbers) {
  return moves.map((m, i) => stoneMarkup(m, i % 2 === 0 ? 'black' : 'white', showNumbers ? i + 1 : '')).join('');
}

function lastMoveMarkup(moves, showNumbers) {
  if (!moves.length) return '';
  const m = moves[moves.length - 1];
  const shape = showNumbers
    ? `<circle cx="${at(m.x)}" cy="${at(m.y)}" r="${CELL * 0.5}"/>`
    : `<circle cx="${at(m.x)}" cy="${at(m.y)}" r="${CELL * 0.12}" class="dot"/>`;
  return `<g class="last-move" data-x="${m.x}" data-y="${m.y}">${shape}</g>`;
}

function forbiddenMarkup(points) {
  const d = CELL * 0.2;
  return points.map((p) => `<g class="forbidden" data-x="${p.x}" data-y="${p.y}">` +
    `<path d="M${at(p.x) - d},${at(p.y) - d}L${at(p.x) + d},${at(p.y) + d}M${at(p.x) + d},${at(p.y) - d}L${at(p.x) - d},${at(p.y) + d}"/></g>`).join('');
}

function winRowMarkup(row) {
  return (row ?? []).map((p) => `<circle class="win-stone" cx="${at(p.x)}" cy="${at(p.y)}" r="${CELL * 0.5}"/>`).join('');
}

function candidatesMarkup(lines, chosenRank) {
  return lines.map((line) => {
    const { x, y } = line.move;
    const chosen = line.rank === chosenRank ? ' chosen' : '';
    return `<g class="candidate${chosen}" data-rank="${line.rank}" data-x="${x}" data-y="${y}">` +
      `<circle cx="${at(x)}" cy="${at(y)}" r="${CELL * 0.44}"/>` +
      `<text x="${at(x)}" y="${at(y)}">${formatValue(line.value)}</text></g>`;
  }).join('');
}

function ghostMarkup(ghosts) {
  return ghosts.map((g) => stoneMarkup(g, g.colour, g.number, 'ghost')).join('');
}

export class BoardView {
  constructor(svg, onPoint) {
    this.svg = svg;
    this.size = 15;
    svg.setAttribute('data-cell', CELL);
    svg.setAttribute('data-margin', MARGIN);
    svg.addEventListener('click', (event) => {
      const point = this.pointAt(event.clientX, event.clientY);
      if (point) onPoint(point.x, point.y);
    });
  }

  // The intersection nearest to a click, or null off the board.
  pointAt(clientX, clientY) {
    const matrix = this.svg.getScreenCTM();
    if (!matrix) return null;
    const p = new DOMPoint(clientX, clientY).matrixTransform(matrix.inverse());
    const x = Math.round((p.x - MARGIN) / CELL);
    const y = Math.round((p.y - MARGIN) / CELL);
    return x >= 0 && y >= 0 && x < this.size && y < this.size ? { x, y } : null;
  }

  // view: { size, moves, showNumbers, forbidden, winRow, lines, chosenRank, ghosts }
  render(view) {
    this.size = view.size;
    const extent = 2 * MARGIN + (view.size - 1) * CELL;
    this.svg.setAttribute('viewBox', `0 0 ${extent} ${extent}`);
    this.svg.setAttribute('data-size', view.size);
    this.svg.innerHTML =
      `<rect class="wood" width="${extent}" height="${extent}"/>` +
      gridMarkup(view.size) +
      forbiddenMarkup(view.forbidden) +
      stonesMarkup(view.moves, view.showNumbers) +
      lastMoveMarkup(view.moves, view.showNumbers) +
      winRowMarkup(view.winRow) +
      candidatesMarkup(view.lines, view.chosenRank) +
      ghostMarkup(view.ghosts);
  }
}
