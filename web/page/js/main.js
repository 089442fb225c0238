// Entry point: checks that the browser has what the engine needs, then starts
// the engine's worker and the page.

import { App } from './app.js';
import { EngineClient } from './engine-client.js';

function missingFeatures() {
  const missing = [];
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') missing.push('WebAssembly');
  if (typeof Worker !== 'function') missing.push('Web Workers');
  return missing;
}

function byId(id) {
  return document.getElementById(id);
}

function elements() {
  const ids = ['board', 'status', 'notice', 'record', 'size', 'rule', 'human', 'time', 'mode', 'lineCount',
    'numbers', 'notation', 'newGame', 'undo', 'redo', 'listInput', 'load', 'copy', 'analysisPanel', 'engineInfo'];
  const el = Object.fromEntries(ids.map((id) => [id, byId(id)]));
  el.analysisParts = { lines: byId('analysisLines'), stats: byId('analysisStats'), step: byId('pvStep'),
    prev: byId('pvPrev'), next: byId('pvNext') };
  return el;
}

function showFatal(text) {
  const banner = byId('fatal');
  banner.textContent = text;
  banner.hidden = false;
}

function start() {
  const missing = missingFeatures();
  if (missing.length) {
    showFatal(`This browser lacks ${missing.join(' and ')}, which the engine needs to run in the page. ` +
      'Try a current version of Firefox, Chromium or Safari.');
    return;
  }
  const el = elements();
  const engine = new EngineClient(() => new Worker('engine-worker.js'), {
    onFatal: (text) => { showFatal(`The engine failed: ${text}`); app.render(); },
    onReady: (info) => {
      el.engineInfo.textContent = info.threads ? 'engine: WebAssembly, threads' : 'engine: WebAssembly';
      app.render();
    },
  });
  const app = new App(el, engine);
  window.vodaroPage = { app, engine };
}

start();
