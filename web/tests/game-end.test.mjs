import assert from 'node:assert/strict';
import { test } from 'node:test';
import { BLACK, RULE, WHITE, gameResult, winningRow } from '../page/js/game-end.js';

// One row of a 15x15 board drawn as text ('X' black, 'O' white, '.' empty),
// placed on row 7; returns the grid.
function rowGrid(text) {
  const size = 15;
  const grid = new Uint8Array(size * size);
  [...text].forEach((c, x) => { grid[7 * size + x] = c === 'X' ? BLACK : c === 'O' ? WHITE : 0; });
  return grid;
}

function wins(text, rule, x) {
  return winningRow(rowGrid(text), 15, x, 7, rule) !== null;
}

test('five or more wins as each rule says', () => {
  const five = '..XXXXX........';
  const six = '..XXXXXX.......';
  const whiteSix = '..OOOOOO.......';
  for (const rule of Object.values(RULE)) assert.ok(wins(five, rule, 4), `rule ${rule}`);
  assert.ok(wins(six, RULE.FREESTYLE, 4));
  assert.ok(!wins(six, RULE.STANDARD, 4));
  assert.ok(!wins(six, RULE.RENJU, 4));
  assert.ok(wins(whiteSix, RULE.RENJU, 4));
  assert.ok(!wins(whiteSix, RULE.STANDARD, 4));
  assert.ok(!wins(six, RULE.CARO, 4));
  assert.ok(!wins('..XXXX.X.......', RULE.FREESTYLE, 4));
});

test('under Caro only opponent stones at both ends spoil a five', () => {
  assert.ok(!wins('.OXXXXXO.......', RULE.CARO, 3));
  assert.ok(wins('.OXXXXX........', RULE.CARO, 3));
  assert.ok(wins('XXXXXO.........', RULE.CARO, 0));
  assert.ok(wins('.........OXXXXX', RULE.CARO, 12));
  assert.ok(wins('.OXXXXXO.......', RULE.FREESTYLE, 3));
});

test('a game ends at its first win, in every direction', () => {
  // Black builds a diagonal from (3,3) to (7,7); white plays along the top.
  const moves = [];
  for (let i = 0; i < 5; i++) moves.push({ x: 3 + i, y: 3 + i }, { x: i, y: 0 });
  moves.pop();
  const result = gameResult(moves, 15, RULE.STANDARD);
  assert.equal(result.winner, BLACK);
  assert.equal(result.moveIndex, 8);
  assert.deepEqual(result.row, [3, 4, 5, 6, 7].map((v) => ({ x: v, y: v })));
  assert.equal(gameResult(moves.slice(0, -1), 15, RULE.STANDARD), null);
  const anti = [{ x: 4, y: 8 }, { x: 0, y: 0 }, { x: 5, y: 7 }, { x: 1, y: 0 }, { x: 6, y: 6 }, { x: 2, y: 0 },
    { x: 8, y: 4 }, { x: 3, y: 0 }, { x: 7, y: 5 }];
  assert.equal(gameResult(anti, 15, RULE.RENJU).moveIndex, 8);
});
