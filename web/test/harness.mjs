// What the browser test needs around the page: a static server on 127.0.0.1 for the
// built site, Debian's Chromium through playwright-core (software WebGL, no network of
// its own), and the page's messages kept for checking.
import { createServer } from 'node:http';
import { after, before } from 'node:test';
import { readFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { extname, join, normalize } from 'node:path';

// playwright-core lives in the build folder (scripts/web.sh installs it there).
const { chromium } = createRequire(join(process.env.LUMARO_NODE_DIR || '.', 'package.json'))('playwright-core');

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.xm': 'application/octet-stream', '.png': 'image/png',
};

// The built site served and a browser launched for one file's tests, both closed after
// them: `site.server.url`, `site.browser`.
export function useSite() {
  const site = {};
  before(async () => {
    if (!process.env.LUMARO_SITE) throw new Error('LUMARO_SITE names the built site');
    site.server = await serve(process.env.LUMARO_SITE);
    site.browser = await launch();
  });
  after(async () => {
    await site.browser?.close();
    site.server?.close();
  });
  return site;
}

export async function serve(root) {
  const server = createServer(async (request, reply) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(root, path.endsWith('/') ? path + 'index.html' : path);
    try {
      const body = await readFile(file);
      reply.writeHead(200, { 'content-type': types[extname(file)] || 'application/octet-stream',
                             'content-length': body.length });
      reply.end(body);
    } catch {
      reply.writeHead(404).end();
    }
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

// Chromium draws WebGL with SwiftShader here (no GPU); the flags keep it from reaching out
// to the network, which is closed.
export function launch() {
  return chromium.launch({
    executablePath: process.env.LUMARO_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    timeout: 60_000,
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--disable-default-apps', '--disable-features=MediaRouter,OptimizationHints'],
  });
}

// A page whose console lines are kept: the layer reports GL calls it does not cover there.
export async function open(browser, url, viewport = { width: 800, height: 600 }) {
  const page = await browser.newPage({ viewport });
  page.setDefaultTimeout(30_000);
  const lines = [];
  page.on('console', (line) => lines.push(line.text()));
  page.on('pageerror', (error) => lines.push('page error: ' + error.message));
  await page.goto(url, { waitUntil: 'load' });
  return { page, lines };
}

export async function clickStart(page) {
  await page.waitForSelector('#start:not([disabled])', { timeout: 60_000 });
  await page.click('#start');
}

export const status = (page) => page.evaluate(() => window.lumaro.status());

export function waitForStatus(page, test, arg, timeout = 30_000) {
  return page.waitForFunction(test, arg, { timeout, polling: 50 });
}

// Lines that say the GL layer met a call or enum it does not cover, or the program failed.
export function troubles(lines) {
  return lines.filter((line) => /glcompat:|page error|Aborted|RuntimeError/.test(line));
}
