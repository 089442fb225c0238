import assert from 'node:assert/strict';
import { test } from 'node:test';
import { NbestCollector, parseNbestLine } from '../page/js/nbest.js';
import { parseForbidLine, parseMoveReply, positionCommands } from '../page/js/protocol.js';

test('ranked analysis lines give move, value, depth and variation', () => {
  assert.deepEqual(parseNbestLine('NBEST 2 7,8 value -35 depth 11 pv 7,8 8,8 6,9'), {
    kind: 'line', rank: 2, move: { x: 7, y: 8 }, value: { score: -35 }, depth: 11,
    pv: [{ x: 7, y: 8 }, { x: 8, y: 8 }, { x: 6, y: 9 }],
  });
  assert.deepEqual(parseNbestLine('NBEST 1 10,3 value W7 depth 9 pv 10,3').value, { win: 7 });
  assert.deepEqual(parseNbestLine('NBEST 3 0,19 value L4 depth 9 pv 0,19 1,1').value, { loss: 4 });
  assert.deepEqual(parseNbestLine('NBEST INFO depth 12 nodes 345678 ms 901 nps 383660'),
    { kind: 'info', depth: 12, nodes: 345678, ms: 901, nps: 383660 });
  assert.deepEqual(parseNbestLine('NBEST DONE depth 12 nodes 400000 ms 1000'),
    { kind: 'done', depth: 12, nodes: 400000, ms: 1000 });
  for (const bad of ['MESSAGE NBEST 1 7,7', 'NBEST 0 7,7 value 3 depth 2 pv 7,7', 'NBEST 1 7,7 value X3 depth 2 pv 7,7',
    'NBEST 1 7;7 value 3 depth 2 pv 7,7', 'NBEST 1 7,7 value 3 depth 2 pv 7,7 8', 'NBEST INFO nodes 5', 'NBEST']) {
    assert.equal(parseNbestLine(bad), null, bad);
  }
});

test('the collector hands over whole sets only, the last one marked done', () => {
  const sets = [];
  const collector = new NbestCollector((set) => sets.push(set));
  const output = [
    'NBEST 1 7,7 value 10 depth 4 pv 7,7 8,8', 'NBEST 2 8,8 value 5 depth 4 pv 8,8', 'NBEST INFO depth 4 nodes 100 ms 2 nps 50000',
    'MESSAGE REALTIME something', 'NBEST 1 8,8 value 12 depth 5 pv 8,8', 'NBEST 2 7,7',
    'NBEST 2 7,7 value 9 depth 5 pv 7,7', 'NBEST INFO depth 5 nodes 300 ms 4 nps 75000',
    'NBEST 1 8,8 value 12 depth 5 pv 8,8', 'NBEST 2 7,7 value 9 depth 5 pv 7,7', 'NBEST DONE depth 5 nodes 310 ms 5',
  ];
  const taken = output.map((line) => collector.feed(line));
  assert.deepEqual(taken, [true, true, true, false, true, false, true, true, true, true, true]);
  assert.deepEqual(sets.map((s) => s.lines.map((l) => l.rank)), [[1, 2], [1, 2], [1, 2]]);
  assert.deepEqual(sets.map((s) => s.lines[0].move.x), [7, 8, 8]);
  assert.deepEqual(sets.map((s) => s.done), [false, false, true]);
  assert.equal(sets[2].stats.nodes, 310);
});

test('positions go in game order with the side to move as who 1', () => {
  assert.deepEqual(positionCommands([], 'BOARD'), ['BOARD', 'DONE']);
  assert.deepEqual(positionCommands([{ x: 7, y: 7 }], 'QVBOARD'), ['QVBOARD', '7,7,2', 'DONE']);
  assert.deepEqual(positionCommands([{ x: 7, y: 7 }, { x: 8, y: 6 }, { x: 3, y: 12 }], 'BOARD'),
    ['BOARD', '7,7,2', '8,6,1', '3,12,2', 'DONE']);
});

test('replies: the engine move and the forbidden points', () => {
  assert.deepEqual(parseMoveReply('12,3'), { x: 12, y: 3 });
  assert.equal(parseMoveReply('MESSAGE 12,3'), null);
  assert.equal(parseMoveReply('12,3,1'), null);
  assert.deepEqual(parseForbidLine('FORBID 09071203.'), [{ x: 9, y: 7 }, { x: 12, y: 3 }]);
  assert.deepEqual(parseForbidLine('FORBID .'), []);
  assert.equal(parseForbidLine('FORBID 0907x.'), null);
  assert.equal(parseForbidLine('MESSAGE FORBID'), null);
});
