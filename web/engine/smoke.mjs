// A quick check of the WebAssembly engine under node, run by hand after
// `make web`:
//   node web/engine/smoke.mjs [build-web]          plays two moves and a BOARD
//   node web/engine/smoke.mjs [build-web] --bench  also runs the bench signature
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
if (args.includes('--bench')) engine.ccall('vodaroBench', null, ['number'], [7]);
console.log('smoke check passed');
