// Serves the built site (build-web/site) on localhost, with the headers that
// give the page cross-origin isolation (so that a threaded engine build may
// use SharedArrayBuffer) and the MIME types browsers insist on, wasm's above
// all. No dependencies: node's own http server.
//
//   node web/serve.js [--port 8080] [--root build-web/site] [--no-isolation]
// The port also comes from $PORT; port 0 picks a free one. The address is
// printed once the server listens. --no-isolation leaves the isolation
// headers out, so that the page runs the single-threaded engine.

import { createReadStream, promises as fs } from 'node:fs';
import { createServer } from 'node:http';
import { dirname, extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const MIME = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
  '.txt': 'text/plain; charset=utf-8',
};

const ISOLATION = {
  'Cross-Origin-Opener-Policy': 'same-origin',
  'Cross-Origin-Embedder-Policy': 'require-corp',
  'Cross-Origin-Resource-Policy': 'same-origin',
};

function option(args, name, fallback) {
  const i = args.indexOf(name);
  return i >= 0 && i + 1 < args.length ? args[i + 1] : fallback;
}

// The file a URL path names inside root, or null when it would leave root.
function fileFor(root, urlPath) {
  let path;
  try {
    path = decodeURIComponent(urlPath.split('?')[0]);
  } catch {
    return null;
  }
  if (path.endsWith('/')) path += 'index.html';
  const file = normalize(join(root, path));
  return file === root || file.startsWith(root + sep) ? file : null;
}

async function respond(root, isolation, request, response) {
  const file = fileFor(root, request.url);
  const stat = file && (await fs.stat(file).catch(() => null));
  if (!stat || !stat.isFile() || !['GET', 'HEAD'].includes(request.method)) {
    response.writeHead(stat ? 405 : 404, { 'Content-Type': 'text/plain; charset=utf-8', ...isolation });
    response.end(stat ? 'method not allowed\n' : 'not found\n');
    return;
  }
  response.writeHead(200, {
    'Content-Type': MIME[extname(file).toLowerCase()] ?? 'application/octet-stream',
    'Content-Length': stat.size,
    'Cache-Control': 'no-cache',
    ...isolation,
  });
  if (request.method === 'HEAD') response.end();
  else createReadStream(file).pipe(response);
}

const args = process.argv.slice(2);
const here = dirname(fileURLToPath(import.meta.url));
const root = resolve(option(args, '--root', join(here, '..', 'build-web', 'site')));
const port = Number(option(args, '--port', process.env.PORT ?? 8080));
const isolation = args.includes('--no-isolation') ? {} : ISOLATION;

const server = createServer((request, response) => {
  respond(root, isolation, request, response).catch(() => { response.destroy(); });
});
server.listen(port, 'localhost', () => {
  console.log(`Serving ${root} at http://localhost:${server.address().port}/`);
});
