import assert from 'node:assert/strict';
import { test } from 'node:test';
import { EngineClient } from '../page/js/engine-client.js';

// A worker that records what the page posts and answers only when told to.
class ScriptedWorker {
  constructor() {
    this.posted = [];
    this.terminated = false;
  }

  postMessage(line) { this.posted.push(line); }
  terminate() { this.terminated = true; }
  send(message) { this.onmessage({ data: message }); }
  ready(stoppable) { this.send({ type: 'ready', threads: false, stoppable }); }
  say(text) { this.send({ type: 'line', text }); }
}

function startClient() {
  const workers = [];
  const client = new EngineClient(() => { const w = new ScriptedWorker(); workers.push(w); return w; });
  return { client, workers };
}

const settle = () => new Promise((resolve) => { setTimeout(resolve, 0); });

async function startedWorker(workers, index, stoppable) {
  workers[index].ready(stoppable);
  await settle();
  assert.deepEqual(workers[index].posted.slice(-1), ['START 15']);
  workers[index].say('OK');
  await settle();
}

test('a worker that cannot be stopped is replaced, and the next one set up again', async () => {
  const { client, workers } = startClient();
  const move = client.think([{ x: 7, y: 7 }], 500);
  await startedWorker(workers, 0, false);
  assert.deepEqual(workers[0].posted.slice(-4), ['INFO timeout_turn 500', 'BOARD', '7,7,2', 'DONE']);
  const sets = [];
  client.analyse([], 2, (set) => sets.push(set));
  assert.equal(await move, null);
  assert.ok(workers[0].terminated);
  await startedWorker(workers, 1, false);
  assert.deepEqual(workers[1].posted.slice(-3), ['QVBOARD', 'DONE', 'QVNBEST 2']);
  workers[1].say('NBEST 1 7,7 value 3 depth 1 pv 7,7');
  workers[1].say('NBEST INFO depth 1 nodes 10 ms 1 nps 10000');
  assert.equal(sets.length, 1);
});

test('a stoppable search is stopped, and its move is not taken for the next reply', async () => {
  const { client, workers } = startClient();
  const first = client.think([], 1000);
  await startedWorker(workers, 0, true);
  const second = client.think([{ x: 7, y: 7 }], 1000);
  assert.equal(workers[0].posted.at(-1), 'QVSTOP');
  workers[0].say('7,7');
  assert.equal(await first, null);
  await settle();
  assert.deepEqual(workers[0].posted.slice(-3), ['BOARD', '7,7,2', 'DONE']);
  workers[0].say('MESSAGE REALTIME thinking');
  workers[0].say('8,8');
  assert.deepEqual(await second, { x: 8, y: 8 });
  assert.equal(workers.length, 1);
});

test('a request made while the previous one waits for its worker replaces it', async () => {
  const { client, workers } = startClient();
  const first = client.analyse([], 2, () => {});
  await settle();
  const second = client.think([{ x: 7, y: 7 }], 300);
  await startedWorker(workers, 0, false);
  assert.deepEqual(await first, { cancelled: true });
  assert.ok(!workers[0].posted.includes('QVNBEST 2'));
  assert.deepEqual(workers[0].posted.slice(-4), ['INFO timeout_turn 300', 'BOARD', '7,7,2', 'DONE']);
  workers[0].say('8,8');
  assert.deepEqual(await second, { x: 8, y: 8 });
});
