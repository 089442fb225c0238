// The engine in its Web Worker, as the page uses it: one exchange at a time
// (a position and a command, up to the reply that ends it), where a new
// request ends the running one. A worker that cannot read messages while it
// searches (stoppable: false) is ended and started afresh instead; the page's
// settings are then sent again before the next exchange.

import { NbestCollector } from './nbest.js';
import { parseForbidLine, parseMoveReply, positionCommands } from './protocol.js';

// Tables sized for a browser tab.
const MAX_MEMORY = 67108864;
// A day: analysis runs until the position changes.
const ENDLESS_MS = 86400000;

export class EngineClient {
  constructor(createWorker, { onFatal = () => {}, onReady = () => {} } = {}) {
    this.createWorker = createWorker;
    this.onFatal = onFatal;
    this.onReady = onReady;
    this.setup = { size: 15, rule: 0 };
    this.current = null;
    this.queue = Promise.resolve();
    this.latest = 0;
    this.startWorker();
  }

  startWorker() {
    const worker = this.createWorker();
    this.worker = worker;
    this.appliedSetup = null;
    this.ready = new Promise((resolve) => { this.markReady = resolve; });
    worker.onmessage = (event) => { if (worker === this.worker) this.receive(event.data); };
    worker.onerror = (event) => {
      if (worker === this.worker) this.fail(event.message || 'the engine could not be loaded (is the page served by make web-serve?)');
    };
  }

  receive(message) {
    if (message.type === 'ready') {
      this.stoppable = message.stoppable;
      this.threads = message.threads;
      this.loaded = true;
      this.markReady();
      this.onReady(message);
    } else if (message.type === 'line') {
      this.receiveLine(message.text);
    } else if (message.type === 'fatal') {
      this.fail(message.text);
    }
  }

  receiveLine(text) {
    const exchange = this.current;
    if (!exchange) return;
    if (exchange.onLine) exchange.onLine(text);
    if (exchange.isEnd(text)) this.finish(exchange, text);
  }

  finish(exchange, endLine = null) {
    if (this.current === exchange) this.current = null;
    exchange.resolve({ cancelled: exchange.cancelled, endLine });
  }

  fail(text) {
    this.failed = text;
    if (this.current) { this.current.cancelled = true; this.finish(this.current); }
    this.onFatal(text);
  }

  setSetup(size, rule) {
    this.setup = { size, rule };
  }

  setupKey() {
    return `${this.setup.size}/${this.setup.rule}`;
  }

  setupLines() {
    const lines = [`INFO max_memory ${MAX_MEMORY}`, `INFO rule ${this.setup.rule}`];
    if (this.threads) lines.push(`INFO thread_num ${Math.min(4, navigator.hardwareConcurrency || 1)}`);
    lines.push(`START ${this.setup.size}`);
    return lines;
  }

  // Ends the running exchange; its request resolves as cancelled.
  stopCurrent() {
    const exchange = this.current;
    if (!exchange) return;
    exchange.cancelled = true;
    if (this.stoppable) {
      // The search still writes its closing line, which ends the exchange.
      this.worker.postMessage('QVSTOP');
      return;
    }
    this.worker.terminate();
    this.finish(exchange);
    this.startWorker();
  }

  // Stops whatever the engine does and leaves it idle.
  halt() {
    this.latest++;
    this.stopCurrent();
  }

  // Runs `job` ({ lines, isEnd, onLine }) after the running one has ended;
  // resolves { cancelled, endLine }.
  request(job) {
    const ticket = ++this.latest;
    this.stopCurrent();
    const run = this.queue.then(() => this.run(job, ticket));
    this.queue = run.catch(() => {});
    return run;
  }

  // A request made while this one waited for the worker or its set-up has
  // found no exchange to stop: this one must see for itself that it is over.
  async run(job, ticket) {
    const superseded = () => ticket !== this.latest;
    if (superseded()) return { cancelled: true };
    await this.ready;
    if (superseded()) return { cancelled: true };
    if (this.appliedSetup !== this.setupKey()) {
      const key = this.setupKey();
      const started = await this.exchange({ lines: this.setupLines(), isEnd: (t) => /^(OK|ERROR)/.test(t) });
      if (started.cancelled) return started;
      this.appliedSetup = key;
      if (superseded()) return { cancelled: true };
    }
    return this.exchange(job);
  }

  exchange(job) {
    return new Promise((resolve) => {
      this.current = { ...job, resolve, cancelled: false };
      for (const line of job.lines) this.worker.postMessage(line);
    });
  }

  // The engine's move in the position after `moves`, or null if cancelled.
  async think(moves, timeMs) {
    const lines = [`INFO timeout_turn ${timeMs}`, ...positionCommands(moves, 'BOARD')];
    const reply = await this.request({ lines, isEnd: (t) => !!parseMoveReply(t) || /^ERROR/.test(t) });
    return reply.cancelled ? null : parseMoveReply(reply.endLine);
  }

  // Black's forbidden points after `moves` (Renju), or null if cancelled.
  async forbidden(moves) {
    const lines = [...positionCommands(moves, 'QVBOARD'), 'QVSHOWFORBID'];
    const reply = await this.request({ lines, isEnd: (t) => !!parseForbidLine(t) });
    return reply.cancelled ? null : parseForbidLine(reply.endLine);
  }

  // Analyses the position after `moves` until another request; `onSet`
  // receives each complete set of the best `count` lines.
  analyse(moves, count, onSet) {
    const collector = new NbestCollector(onSet);
    const lines = [`INFO timeout_turn ${ENDLESS_MS}`, ...positionCommands(moves, 'QVBOARD'), `QVNBEST ${count}`];
    return this.request({ lines, onLine: (t) => collector.feed(t), isEnd: (t) => /^NBEST DONE/.test(t) });
  }
}
