// The game on the board: its moves in order (black first), the moves taken
// back that redo can replay, and how the game stands under its rule.

import { BLACK, WHITE, gameResult } from './game-end.js';

export class Game {
  constructor(size, rule) {
    this.size = size;
    this.rule = rule;
    this.moves = [];
    this.undone = [];
    this.result = null;
  }

  colourToMove() {
    return this.moves.length % 2 === 0 ? BLACK : WHITE;
  }

  isTaken(x, y) {
    return this.moves.some((m) => m.x === x && m.y === y);
  }

  // Cells row by row from the top: 0 empty, BLACK or WHITE.
  grid() {
    const grid = new Uint8Array(this.size * this.size);
    this.moves.forEach((m, i) => { grid[m.y * this.size + m.x] = i % 2 === 0 ? BLACK : WHITE; });
    return grid;
  }

  canPlay(x, y) {
    return !this.result && x >= 0 && y >= 0 && x < this.size && y < this.size && !this.isTaken(x, y);
  }

  play(x, y) {
    if (!this.canPlay(x, y)) return false;
    this.moves.push({ x, y });
    this.undone = [];
    this.result = gameResult(this.moves, this.size, this.rule);
    return true;
  }

  undo() {
    if (!this.moves.length) return false;
    this.undone.push(this.moves.pop());
    this.result = null;
    return true;
  }

  redo() {
    if (!this.undone.length) return false;
    this.moves.push(this.undone.pop());
    this.result = gameResult(this.moves, this.size, this.rule);
    return true;
  }

  // Replaces the game by `moves`; refuses a list that goes on after a win.
  load(moves) {
    const result = gameResult(moves, this.size, this.rule);
    if (result && result.moveIndex !== undefined && result.moveIndex < moves.length - 1) {
      return `the game is already won at move ${result.moveIndex + 1}`;
    }
    this.moves = moves.slice();
    this.undone = [];
    this.result = result;
    return null;
  }

  // A key that changes whenever the position does.
  positionKey() {
    return `${this.size}/${this.rule}/` + this.moves.map((m) => `${m.x},${m.y}`).join(' ');
  }
}
