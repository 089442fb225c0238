// The engine in a Web Worker: the page posts protocol lines (strings, no line
// end), the worker posts {type:'line'} for every line the engine writes, after
// one {type:'ready', threads, stoppable} once the engine is loaded, or
// {type:'fatal'} when loading or running fails.
//
// In a cross-origin isolated page the threaded module (vodaro-mt.js) runs when
// it was built: searches run on their own thread, so QVSTOP and every other
// line are taken at once (stoppable). Otherwise the module without threads
// runs each search inside the message that started it: lines posted meanwhile
// wait, and the page stops a search by ending the worker and starting another.
'use strict';

const FLUSH_MS = 20;  // how often the threaded module's search output is posted

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

// The threaded module's factory, or null when the page cannot run it or it was not built.
function threadedFactory() {
  if (!self.crossOriginIsolated) return null;
  try {
    importScripts('vodaro-mt.js');
    return createVodaroThreaded;
  } catch (err) {
    return null;
  }
}

function start() {
  const threaded = threadedFactory();
  const options = { onEngineText, onAbort: fatal };
  // The module's own threads load it by this name, not by this script's.
  if (threaded) options.mainScriptUrlOrBlob = 'vodaro-mt.js';
  else importScripts('vodaro.js');
  (threaded || createVodaro)(options).then((module) => {
    engine = module;
    engine._vodaroStart();
    if (threaded) setInterval(() => engine._vodaroFlush(), FLUSH_MS);
    postMessage({ type: 'ready', threads: Boolean(threaded), stoppable: Boolean(threaded) });
    for (const line of early.splice(0)) feed(line);
  }, fatal);
}

try {
  start();
} catch (err) {
  fatal(err);
}
