import assert from 'node:assert/strict';
import { test } from 'node:test';
import { boardName, parseBoardName } from '../page/js/coords.js';
import { formatMoveList, parseMoveList } from '../page/js/move-list.js';

test('board names count rows from the bottom and use every letter', () => {
  assert.deepEqual(parseBoardName('h8', 15), { x: 7, y: 7 });
  assert.deepEqual(parseBoardName('H8', 20), { x: 7, y: 12 });
  assert.deepEqual(parseBoardName('a1', 15), { x: 0, y: 14 });
  assert.deepEqual(parseBoardName('t20', 20), { x: 19, y: 0 });
  assert.deepEqual(parseBoardName('i9', 15), { x: 8, y: 6 });
  assert.equal(parseBoardName('p1', 15), null);
  assert.equal(parseBoardName('a16', 15), null);
  assert.equal(parseBoardName('a0', 15), null);
  assert.equal(boardName(19, 0, 20), 't20');
  assert.equal(boardName(0, 14, 15), 'a1');
});

test('a list printed in either notation reads back as the same game', () => {
  const moves = [{ x: 7, y: 7 }, { x: 8, y: 6 }, { x: 0, y: 0 }, { x: 14, y: 14 }, { x: 9, y: 10 }];
  assert.equal(formatMoveList(moves, 15, 'board'), 'h8 i9 a15 o1 j5');
  assert.equal(formatMoveList(moves, 15, 'protocol'), '7,7 8,6 0,0 14,14 9,10');
  for (const notation of ['board', 'protocol']) {
    assert.deepEqual(parseMoveList(formatMoveList(moves, 15, notation), 15).moves, moves);
  }
  const big = [{ x: 19, y: 19 }, { x: 0, y: 0 }, { x: 10, y: 9 }];
  assert.equal(formatMoveList(big, 20, 'board'), 't1 a20 k11');
  assert.deepEqual(parseMoveList('t1 a20 k11', 20).moves, big);
});

test('pasted lists may run together, carry move numbers and other separators', () => {
  const expected = [{ x: 7, y: 7 }, { x: 8, y: 6 }, { x: 9, y: 5 }];
  assert.deepEqual(parseMoveList('h8i9j10', 15).moves, expected);
  assert.deepEqual(parseMoveList('1. h8 i9\n2. J10', 15).moves, expected);
  assert.deepEqual(parseMoveList('h8, i9; j10', 15).moves, expected);
  assert.deepEqual(parseMoveList(' 7,7\n8,6;9,5 ', 15).moves, expected);
  assert.deepEqual(parseMoveList('', 15).moves, []);
});

test('a bad list is refused with the move that is wrong', () => {
  assert.match(parseMoveList('h8 p9', 15).error, /p9 is not on a 15x15 board/);
  assert.match(parseMoveList('h8 i9 h8', 15).error, /h8 is played twice/);
  assert.match(parseMoveList('7,7 15,3', 15).error, /15,3 is not on/);
  assert.match(parseMoveList('7,7 7,7', 15).error, /played twice/);
  assert.match(parseMoveList('h8 x9', 15).error, /"x9" is not a move/);
  assert.match(parseMoveList('7,7 8', 15).error, /"8" is not a move/);
});
