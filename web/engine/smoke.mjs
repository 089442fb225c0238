// A quick check of the WebAssembly engine under node, run by hand after
// `make web`:
//   node web/engine/smoke.mjs [build-web]          plays two moves and a BOARD
//   node web/engine/smoke.mjs [build-web] --bench[=depth]
//                                                   also runs the bench signature
// Exits with status 1 when the engine does not answer as expected.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const args = process.argv.slice(2);
const dir = path.resolve(args.find((a) => !a.startsWith('--')) ?? 'build-web');
const require = createRequire(import.meta.url);
const createVodaro = require(path.join(dir, 'vodaro.js'));

const output = [];
const engine = await createVodaro({
  // node 20's global fetch cannot load a file path: hand the module its bytes.
  wasmBinary: readFileSync(path.join(dir, 'vodaro.wasm')),
  onEngineText: (text) => output.push(...text.split('\n').filter((l) => l !== '')),
  print: (line) => console.log(line),
});
engine._vodaroStart();

// Sends lines and returns what the engine wrote meanwhile.
function send(...lines) {
  output.length = 0;
  for (const line of lines) engine.ccall('vodaroLine', null, ['string'], [line]);
  return output.splice(0);
}

function expectMove(reply, what) {
  const move = reply.filter((l) => /^\d+,\d+$/.test(l));
  if (move.length !== 1) {
    console.error(`FAIL ${what}: no single move in`, reply);
    process.exit(1);
  }
  console.log(`${what}: ${move[0]}`);
}

console.log(send('INFO max_memory 67108864', 'INFO timeout_turn 500', 'START 15').join(' | '));
expectMove(send('BEGIN'), 'BEGIN');
expectMove(send('TURN 8,8'), 'TURN 8,8');
expectMove(send('BOARD', '7,7,1', '8,7,2', '7,8,1', '8,8,2', 'DONE'), 'BOARD');
const analysis = send('QVNBEST 2');
const done = analysis.filter((l) => l.startsWith('NBEST DONE'));
if (done.length !== 1 || analysis.at(-1) !== done[0] || !analysis.at(-2)?.startsWith('NBEST 2 ')) {
  console.error('FAIL QVNBEST 2:', analysis);
  process.exit(1);
}
console.log(`QVNBEST 2: ${analysis.at(-3)} / ${done[0]}`);
const bench = args.find((a) => a.startsWith('--bench'));
if (bench) engine.ccall('vodaroBench', null, ['number'], [Number(bench.split('=')[1] ?? 7)]);
console.log('smoke check passed');
