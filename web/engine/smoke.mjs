// A quick check of the WebAssembly engine under node, run by hand after
// `make web`:
//   node web/engine/smoke.mjs [build-web]            the module without threads
//   node web/engine/smoke.mjs [build-web] --threads  the threaded module
//   node web/engine/smoke.mjs [build-web] --bench[=depth]
//                                   without threads, then the bench signature
// Plays BEGIN, TURN and a BOARD, runs QVNBEST (the threaded module: an endless
// one that QVSTOP ends), and exits with status 1 when the engine does not
// answer as expected.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';

const args = process.argv.slice(2);
const dir = path.resolve(args.find((a) => !a.startsWith('--')) ?? 'build-web');
const threads = args.includes('--threads');
const name = threads ? 'vodaro-mt' : 'vodaro';
const require = createRequire(import.meta.url);
const createModule = require(path.join(dir, `${name}.js`));

const output = [];
const engine = await createModule({
  // node 20's global fetch cannot load a file path: hand the module its bytes.
  wasmBinary: readFileSync(path.join(dir, `${name}.wasm`)),
  onEngineText: (text) => output.push(...text.split('\n').filter((l) => l !== '')),
  print: (line) => console.log(line),
});
engine._vodaroStart();

// Sends lines and returns what the engine wrote until `until` matches a line
// (the threaded module answers on its own thread, posted by vodaroFlush).
async function send(lines, until) {
  output.length = 0;
  for (const line of lines) engine.ccall('vodaroLine', null, ['string'], [line]);
  for (let waited = 0; threads && !output.some(until) && waited < 10000; waited += 20) {
    await sleep(20);
    engine._vodaroFlush();
  }
  return output.splice(0);
}

function fail(what, reply) {
  console.error(`FAIL ${what}:`, reply);
  process.exit(1);
}

const isMove = (l) => /^\d+,\d+$/.test(l);
async function expectMove(lines, what) {
  const reply = await send(lines, isMove);
  const move = reply.filter(isMove);
  if (move.length !== 1) fail(what, reply);
  console.log(`${what}: ${move[0]}`);
}

const isDone = (l) => l.startsWith('NBEST DONE');
console.log((await send(['INFO timeout_turn 500', 'START 15'], (l) => l === 'OK')).join(' | '));
await expectMove(['BEGIN'], 'BEGIN');
await expectMove(['TURN 8,8'], 'TURN 8,8');
await expectMove(['BOARD', '7,7,1', '8,7,2', '7,8,1', '8,8,2', 'DONE'], 'BOARD');
let analysis;
if (threads) {
  await send(['INFO timeout_turn 100000000', 'QVNBEST 2'], (l) => l.startsWith('NBEST INFO'));
  await sleep(500);
  analysis = await send(['QVSTOP'], isDone);
} else {
  analysis = await send(['QVNBEST 2'], isDone);
}
if (!isDone(analysis.at(-1) ?? '') || !analysis.at(-2)?.startsWith('NBEST 2 ')) fail('QVNBEST 2', analysis);
console.log(`QVNBEST 2: ${analysis.at(-3)} / ${analysis.at(-1)}`);
const bench = args.find((a) => a.startsWith('--bench'));
if (bench && !threads) engine.ccall('vodaroBench', null, ['number'], [Number(bench.split('=')[1] ?? 7)]);
console.log('smoke check passed');
process.exit(0);  // the threaded module's workers would keep node running
