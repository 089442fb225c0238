// The page's controller: keeps the game, asks the engine for moves, forbidden
// points and analysis whenever the position changes, and keeps the board,
// the record and the messages up to date.

import { AnalysisPanel } from './analysis-panel.js';
import { BoardView } from './board-view.js';
import { BLACK, RULE, WHITE } from './game-end.js';
import { Game } from './game.js';
import { formatMoveList, parseMoveList } from './move-list.js';

const COLOUR_NAME = { [BLACK]: 'Black', [WHITE]: 'White' };

export class App {
  constructor(el, engine) {
    this.el = el;
    this.engine = engine;
    this.game = new Game(Number(el.size.value), Number(el.rule.value));
    this.forbidden = { key: null, points: [] };
    this.thinking = false;
    this.version = 0;
    this.board = new BoardView(el.board, (x, y) => this.clickPoint(x, y));
    this.analysis = new AnalysisPanel(el.analysisParts, () => this.render());
    this.wireControls();
    this.newGame();
  }

  wireControls() {
    const el = this.el;
    el.newGame.addEventListener('click', () => this.newGame());
    el.size.addEventListener('change', () => this.newGame());
    el.rule.addEventListener('change', () => this.changeRule());
    el.undo.addEventListener('click', () => this.undo());
    el.redo.addEventListener('click', () => this.redo());
    el.human.addEventListener('change', () => this.refresh());
    el.mode.addEventListener('change', () => this.refresh());
    el.lineCount.addEventListener('change', () => this.refresh());
    el.numbers.addEventListener('change', () => this.render());
    el.notation.addEventListener('change', () => this.render());
    el.load.addEventListener('click', () => this.loadList());
    el.copy.addEventListener('click', () => this.copyList());
  }

  mode() {
    return this.el.mode.value;
  }

  // Whether the engine plays the side to move.
  engineToMove() {
    const human = this.el.human.value;
    if (this.mode() !== 'play' || human === 'both') return false;
    return (this.game.colourToMove() === BLACK) !== (human === 'black');
  }

  timeMs() {
    const seconds = Number(this.el.time.value);
    return Math.round(Math.min(600, Math.max(0.1, Number.isFinite(seconds) ? seconds : 1)) * 1000);
  }

  notice(text) {
    this.el.notice.textContent = text;
  }

  newGame() {
    this.game = new Game(Number(this.el.size.value), Number(this.el.rule.value));
    this.engine.setSetup(this.game.size, this.game.rule);
    this.notice('');
    this.refresh();
  }

  // The moves stay where the new rule allows them.
  changeRule() {
    const moves = this.game.moves;
    this.game = new Game(this.game.size, Number(this.el.rule.value));
    const error = this.game.load(moves);
    this.notice(error ? `The moves do not fit this rule (${error}); new game.` : '');
    this.engine.setSetup(this.game.size, this.game.rule);
    this.refresh();
  }

  // Against the engine, undo and redo go back to the player's own turn.
  undo() {
    if (!this.game.undo()) return;
    while (this.engineToMove() && this.game.undo());
    this.refresh();
  }

  redo() {
    if (!this.game.redo()) return;
    if (this.engineToMove() && this.game.undone.length) this.game.redo();
    this.refresh();
  }

  loadList() {
    const parsed = parseMoveList(this.el.listInput.value, this.game.size);
    const error = parsed.error ?? this.game.load(parsed.moves);
    if (error) { this.notice(`Cannot load the list: ${error}.`); return; }
    this.notice(`Loaded ${parsed.moves.length} moves.`);
    this.refresh();
  }

  copyList() {
    const text = formatMoveList(this.game.moves, this.game.size, this.el.notation.value);
    this.el.listInput.value = text;
    if (navigator.clipboard) navigator.clipboard.writeText(text).then(() => this.notice('Copied.'), () => {});
  }

  needsForbidden() {
    return this.game.rule === RULE.RENJU && this.game.colourToMove() === BLACK && !this.game.result;
  }

  forbiddenPoints() {
    return this.forbidden.key === this.game.positionKey() && this.needsForbidden() ? this.forbidden.points : [];
  }

  clickPoint(x, y) {
    if (this.game.result) { this.notice('The game is over: start a new one or undo.'); return; }
    if (this.engineToMove()) { this.notice('Wait: the engine is thinking.'); return; }
    if (!this.game.canPlay(x, y)) return;
    if (this.needsForbidden()) {
      if (this.forbidden.key !== this.game.positionKey()) { this.notice('Still checking forbidden points; try again.'); return; }
      if (this.forbidden.points.some((p) => p.x === x && p.y === y)) {
        this.notice('Forbidden point for black under Renju.');
        return;
      }
    }
    this.notice('');
    this.game.play(x, y);
    this.refresh();
  }

  // Called on every change of position, rule or mode: ends what the engine
  // does and sets it to work on what is shown now.
  async refresh() {
    const version = ++this.version;
    const stale = () => version !== this.version;
    this.thinking = false;
    this.analysis.reset(this.game.size);
    this.render();
    if (this.game.result) { this.engine.halt(); return; }
    if (this.needsForbidden()) {
      const key = this.game.positionKey();
      const points = await this.engine.forbidden(this.game.moves);
      if (stale() || !points) return;
      this.forbidden = { key, points };
      this.render();
    }
    if (this.engineToMove()) await this.engineMove(stale);
    else if (this.mode() === 'analysis') this.analyse(stale);
    else this.engine.halt();
  }

  async engineMove(stale) {
    this.thinking = true;
    this.render();
    const move = await this.engine.think(this.game.moves, this.timeMs());
    if (stale()) return;
    this.thinking = false;
    if (!move || !this.game.play(move.x, move.y)) {
      this.notice('The engine gave no move it may play.');
      this.render();
      return;
    }
    this.refresh();
  }

  analyse(stale) {
    const count = Number(this.el.lineCount.value);
    this.engine.analyse(this.game.moves, count, (set) => { if (!stale()) this.analysis.update(set); });
  }

  statusText() {
    const result = this.game.result;
    if (result?.draw) return ['over', 'Draw: the board is full.'];
    if (result) return ['over', `${COLOUR_NAME[result.winner]} wins with five in a row.`];
    if (this.engine.failed) return ['error', `The engine stopped: ${this.engine.failed}`];
    if (!this.engine.loaded) return ['loading', 'Loading the engine…'];
    const side = COLOUR_NAME[this.game.colourToMove()];
    if (this.thinking) return ['thinking', `The engine is thinking for ${side} (${this.timeMs() / 1000} s a move)…`];
    if (this.needsForbidden() && this.forbidden.key !== this.game.positionKey()) {
      return ['checking', 'Finding black\'s forbidden points…'];
    }
    if (this.mode() === 'analysis') return ['analysing', `Analysing: ${side} to move. Click to play a move for either side.`];
    const against = this.el.human.value !== 'both';
    return ['your-turn', against ? `Your move (${side}).` : `${side} to move.`];
  }

  render() {
    const game = this.game;
    const analysing = this.mode() === 'analysis' && !game.result;
    this.board.render({
      size: game.size,
      moves: game.moves,
      showNumbers: this.el.numbers.checked,
      forbidden: this.forbiddenPoints(),
      winRow: game.result?.row ?? null,
      // While a line is stepped through its stones take the candidates' place.
      lines: analysing && !this.analysis.pvStep ? this.analysis.lines : [],
      chosenRank: this.analysis.chosenRank,
      ghosts: analysing ? this.analysis.ghosts(game.colourToMove()) : [],
    });
    const [state, text] = this.statusText();
    this.el.status.textContent = text;
    this.el.status.dataset.state = state;
    this.el.record.textContent = formatMoveList(game.moves, game.size, this.el.notation.value) || '(no moves yet)';
    this.el.record.dataset.moves = formatMoveList(game.moves, game.size, 'protocol');
    this.el.analysisPanel.hidden = this.mode() !== 'analysis';
    this.el.undo.disabled = !game.moves.length;
    this.el.redo.disabled = !game.undone.length;
  }
}
