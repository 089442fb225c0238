// The page in headless Chromium against the engine built by `make web`:
// games under free-style and Renju, a forbidden point shown and refused,
// analysis lines read back, screenshots in build/web-test/. Needs the built
// site (build-web/site) and Debian's chromium.
//
//   node --test web/tests/browser.e2e.mjs
// VODARO_SITE and CHROMIUM override the site folder and the browser.

import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { mkdirSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const REPO = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const SITE = process.env.VODARO_SITE ?? join(REPO, 'build-web', 'site');
const CHROMIUM = process.env.CHROMIUM ?? '/usr/bin/chromium';
const SHOTS = join(REPO, 'build', 'web-test');
// Generous: only a page or engine that hangs runs into it.
const WAIT = { timeout: 60000 };

const servers = [];
let browser;
let page;
let url;

function startServer(...options) {
  const server = spawn(process.execPath, [join(REPO, 'web', 'serve.js'), '--port', '0', '--root', SITE, ...options],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  servers.push(server);
  return new Promise((resolve, reject) => {
    server.stdout.on('data', (chunk) => {
      const m = /http:\/\/localhost:\d+\//.exec(String(chunk));
      if (m) resolve(m[0]);
    });
    server.on('exit', (code) => reject(new Error(`serve.js exited with ${code}`)));
  });
}

async function recordedMoves() {
  const text = await page.$eval('#record', (el) => el.dataset.moves);
  return text ? text.split(' ').map((p) => p.split(',').map(Number)) : [];
}

async function clickPoint(x, y) {
  const spot = await page.$eval('#board', (svg, x, y) => {
    const rect = svg.getBoundingClientRect();
    const scale = rect.width / svg.viewBox.baseVal.width;
    const cell = Number(svg.dataset.cell);
    const margin = Number(svg.dataset.margin);
    return { left: rect.left + (margin + x * cell) * scale, top: rect.top + (margin + y * cell) * scale };
  }, x, y);
  await page.mouse.click(spot.left, spot.top);
}

function waitForState(states) {
  return page.waitForFunction((s) => s.includes(document.getElementById('status').dataset.state), WAIT, states);
}

async function newGame(rule, movesText = '') {
  await page.select('#mode', 'play');
  await page.select('#rule', String(rule));
  await page.$eval('#time', (el) => { el.value = '0.3'; });
  await page.click('#newGame');
  if (movesText) {
    await page.$eval('#listInput', (el, text) => { el.value = text; }, movesText);
    await page.click('#load');
  }
  await waitForState(['your-turn']);
}

// Plays `count` moves for the player from `wishes`, skipping taken and
// forbidden points, and checks that the engine answers each.
async function playAgainstEngine(wishes, count) {
  for (let played = 0; played < count; played++) {
    const before = await recordedMoves();
    const taken = new Set(before.map(([x, y]) => `${x},${y}`));
    const forbidden = new Set(await page.$$eval('#board .forbidden', (els) => els.map((e) => `${e.dataset.x},${e.dataset.y}`)));
    const [x, y] = wishes.find(([wx, wy]) => !taken.has(`${wx},${wy}`) && !forbidden.has(`${wx},${wy}`));
    await clickPoint(x, y);
    await waitForState(['your-turn', 'over']);
    const after = await recordedMoves();
    assert.deepEqual(after.slice(0, before.length + 1), [...before, [x, y]]);
    assert.equal(after.length, before.length + 2, 'the engine answers');
    const [ex, ey] = after[after.length - 1];
    assert.ok(!taken.has(`${ex},${ey}`) && ex >= 0 && ey >= 0 && ex < 15 && ey < 15);
    if (await page.$eval('#status', (el) => el.dataset.state) === 'over') return;
  }
}

const CENTRE = [[7, 7], [8, 8], [6, 6], [8, 6], [6, 8], [7, 9], [9, 7], [5, 7], [7, 5], [9, 9], [5, 5]];

before(async () => {
  mkdirSync(SHOTS, { recursive: true });
  url = await startServer();
  browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'],
  });
  page = await browser.newPage();
  await page.setViewport({ width: 1200, height: 900 });
  page.on('pageerror', (error) => { throw error; });
});

after(async () => {
  await browser?.close();
  for (const server of servers) server.kill();
});

test('the page loads and its engine starts', async (t) => {
  let bytes = 0;
  const types = {};
  page.on('response', (response) => {
    bytes += Number(response.headers()['content-length'] ?? 0);
    types[response.url().split('/').pop()] = response.headers()['content-type'];
  });
  const started = Date.now();
  await page.goto(url);
  await page.waitForFunction(() => document.getElementById('status').dataset.state !== 'loading', WAIT);
  const loadMs = Date.now() - started;
  assert.equal(await page.$eval('#fatal', (el) => el.hidden), true);
  // What serve.js must get right: wasm's MIME type and the isolation headers.
  const wasm = Object.keys(types).filter((name) => name.endsWith('.wasm'));
  assert.ok(wasm.length > 0);
  for (const name of wasm) assert.equal(types[name], 'application/wasm', name);
  assert.equal(await page.evaluate(() => crossOriginIsolated), true);
  const engine = await page.$eval('#engineInfo', (el) => el.textContent);
  t.diagnostic(`page ready with its engine (${wasm.join(', ')}; ${engine}) in ${loadMs} ms, ${bytes} bytes downloaded`);
});

test('a browser without WebAssembly or workers is told what it lacks', async () => {
  const bare = await browser.newPage();
  await bare.evaluateOnNewDocument(() => { delete globalThis.WebAssembly; delete globalThis.Worker; });
  await bare.goto(url);
  await bare.waitForSelector('#fatal:not([hidden])', WAIT);
  assert.match(await bare.$eval('#fatal', (el) => el.textContent), /lacks WebAssembly and Web Workers/);
  await bare.close();
});

test('free-style: a short game against the engine', async () => {
  await newGame(0);
  await playAgainstEngine(CENTRE, 3);
  await page.screenshot({ path: join(SHOTS, 'play-freestyle.png') });
  // Against the engine, undo and redo go back to the player's turn.
  const game = await recordedMoves();
  await page.click('#undo');
  await waitForState(['your-turn']);
  assert.deepEqual(await recordedMoves(), game.slice(0, -2));
  await page.click('#redo');
  await waitForState(['your-turn']);
  assert.deepEqual(await recordedMoves(), game);
});

test('Renju: a forbidden point is shown for black and refused', async () => {
  // Black's twos h8-i8 and j7-j6 both become open threes at j8: a double three.
  await newGame(4, 'h8 a15 i8 o15 j7 o1 j6 a1');
  await page.waitForSelector('#board .forbidden[data-x="9"][data-y="7"]', WAIT);
  const before = await recordedMoves();
  await clickPoint(9, 7);
  assert.deepEqual(await recordedMoves(), before);
  assert.match(await page.$eval('#notice', (el) => el.textContent), /Forbidden/);
  await page.screenshot({ path: join(SHOTS, 'renju-forbidden.png') });
  await playAgainstEngine(CENTRE, 2);
});

test('analysis shows the best lines and steps through one', async (t) => {
  await newGame(1, 'h8 i9 j8 h9');
  await page.select('#lineCount', '3');
  await page.select('#mode', 'analysis');
  await page.waitForFunction(() => document.querySelectorAll('#analysisLines tr').length === 3, WAIT);
  const lines = await page.$$eval('#analysisLines tr', (rows) => rows.map((r) => [...r.cells].map((c) => c.textContent)));
  assert.deepEqual(lines.map((l) => l[0]), ['1', '2', '3']);
  assert.equal(new Set(lines.map((l) => l[1])).size, 3, 'three different moves');
  assert.equal(await page.$$eval('#board .candidate', (els) => els.length), 3);
  const ghostsBefore = await page.$$eval('#board .stone.ghost', (els) => els.length);
  await page.click('#pvNext');
  assert.equal(await page.$$eval('#board .stone.ghost', (els) => els.length), ghostsBefore + 1);
  // Let it deepen a while for the figures, then read them live.
  await new Promise((resolve) => { setTimeout(resolve, 5000); });
  const stats = await page.$eval('#analysisStats', (el) => el.textContent);
  assert.match(stats, /^depth \d+/);
  t.diagnostic(`analysis after 5 s: ${stats}`);
  await page.click('#pvNext');
  await page.click('#pvNext');
  await page.screenshot({ path: join(SHOTS, 'analysis-line.png') });
  for (let i = 0; i < 3; i++) await page.click('#pvPrev');
  assert.equal(await page.$$eval('#board .stone.ghost', (els) => els.length), ghostsBefore);
  assert.equal(await page.$$eval('#board .candidate', (els) => els.length), 3);
  await page.screenshot({ path: join(SHOTS, 'analysis.png') });
  await page.select('#mode', 'play');
});

test('without isolation the single-threaded engine plays, and is replaced to stop', async () => {
  const isolated = { page, url };
  url = await startServer('--no-isolation');
  page = await browser.newPage();
  await page.setViewport({ width: 1200, height: 900 });
  try {
    await page.goto(url);
    await page.waitForFunction(() => document.getElementById('status').dataset.state !== 'loading', WAIT);
    assert.equal(await page.$eval('#engineInfo', (el) => el.textContent), 'engine: WebAssembly');
    await newGame(0);
    await playAgainstEngine(CENTRE, 1);
    // Analysis never ends by itself here: the next position must end the
    // worker and set up a new one, whose lines then are for that position.
    await page.select('#mode', 'analysis');
    await page.waitForSelector('#analysisLines tr', WAIT);
    const played = new Set((await recordedMoves()).map(([x, y]) => `${x},${y}`));
    const [x, y] = [[10, 10], [11, 11], [3, 3]].find(([px, py]) => !played.has(`${px},${py}`));
    await clickPoint(x, y);
    await page.waitForFunction(() => document.querySelectorAll('#analysisLines tr').length > 0, WAIT);
    const taken = new Set((await recordedMoves()).map(([mx, my]) => `${mx},${my}`));
    assert.ok(taken.size === 3 && taken.has(`${x},${y}`));
    const candidates = await page.$$eval('#board .candidate', (els) => els.map((e) => `${e.dataset.x},${e.dataset.y}`));
    assert.ok(candidates.length > 0 && candidates.every((c) => !taken.has(c)));
  } finally {
    await page.close();
    ({ page, url } = isolated);
  }
});
