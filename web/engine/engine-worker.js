// The engine in a Web Worker: the page posts protocol lines (strings, no line
// end), the worker posts {type:'line'} for every line the engine writes, after
// one {type:'ready'} once the engine is loaded, or {type:'fatal'} when loading
// or running fails. This build has no threads: a search blocks the worker until
// it ends, so the page stops one by ending the worker and starting another.
'use strict';

let engine = null;
const early = [];  // lines posted before the engine was ready

function fatal(what) {
  postMessage({ type: 'fatal', text: String(what && what.message ? what.message : what) });
}

function onEngineText(text) {
  const lines = text.endsWith('\n') ? text.slice(0, -1) : text;
  for (const line of lines.split('\n')) postMessage({ type: 'line', text: line });
}

function feed(line) {
  try {
    engine.ccall('vodaroLine', null, ['string'], [String(line)]);
  } catch (err) {
    // END makes the engine exit: the worker has nothing more to do.
    if (err && err.name === 'ExitStatus') {
      close();
      return;
    }
    fatal(err);
  }
}

onmessage = (event) => {
  if (engine) feed(event.data);
  else early.push(event.data);
};

try {
  importScripts('vodaro.js');
  createVodaro({ onEngineText, onAbort: fatal }).then((module) => {
    engine = module;
    engine._vodaroStart();
    postMessage({ type: 'ready', threads: false, stoppable: false });
    for (const line of early.splice(0)) feed(line);
  }, fatal);
} catch (err) {
  fatal(err);
}
