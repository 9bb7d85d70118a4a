// The page before the show: what it says when it cannot load (opened as a file, JavaScript
// off, the program missing from the site, no WebGL), the download's progress on the button,
// and the desktop's icon as its own.
import assert from 'node:assert/strict';
import { readFileSync, statSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { describe, it } from 'node:test';
import { open, troubles, useSite } from './harness.mjs';

const site = useSite();

const messageText = (page) => page.textContent('#message');

describe('a page that cannot load', { timeout: 90_000 }, () => {
  it('says it needs a web server when opened as a file', async () => {
    const { page } = await open(site.browser, 'file://' + join(process.env.LUMARO_SITE, 'index.html'));
    await page.waitForFunction(() => /server/.test(document.getElementById('message').textContent), null,
                               { timeout: 30_000 });
    assert.equal(await page.isDisabled('#start'), true);
    assert.doesNotMatch(await page.textContent('#start'), /Loading/);
    await page.close();
  });

  it('says it needs JavaScript when that is off, and offers no button that never comes', async () => {
    const context = await site.browser.newContext({ javaScriptEnabled: false });
    const page = await context.newPage();
    await page.goto(site.server.url);
    assert.equal(await page.getByText(/JavaScript/).isVisible(), true);
    assert.equal(await page.isVisible('#start'), false);
    await context.close();
  });

  it('names the missing program file and what the server answered', async () => {
    const page = await site.browser.newPage();
    await page.route('**/lumaro.wasm', (route) => route.fulfill({ status: 404, body: 'none here' }));
    await page.goto(site.server.url);
    await page.waitForFunction(() => /lumaro\.wasm/.test(document.getElementById('message').textContent), null,
                               { timeout: 30_000 });
    assert.match(await messageText(page), /404/);
    assert.equal(await page.isDisabled('#start'), true);
    await page.close();
  });

  it('checks for WebGL before downloading the program, says so and cannot be started', async () => {
    const page = await site.browser.newPage();
    const asked = [];
    page.on('request', (request) => asked.push(new URL(request.url()).pathname));
    await page.addInitScript(() => {
      const real = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
        return /webgl/.test(kind) ? null : real.call(this, kind, ...rest);
      };
    });
    await page.goto(site.server.url, { waitUntil: 'load' });
    await page.waitForFunction(() => /WebGL/.test(document.getElementById('message').textContent), null,
                               { timeout: 60_000 });
    assert.equal(await page.isDisabled('#start'), true);
    assert.deepEqual(asked.filter((path) => /\.wasm$/.test(path)), []);
    await page.close();
  });
});

describe('a page that loads', { timeout: 90_000 }, () => {
  it('shows the download\'s progress on the button, then offers Start', async () => {
    const page = await site.browser.newPage();
    await page.addInitScript(() => {
      window.testLabels = [];
      new MutationObserver((changes) => {
        for (const change of changes)
          if (change.target.id === 'start')
            for (const node of change.addedNodes) window.testLabels.push(node.textContent);
      }).observe(document, { childList: true, subtree: true });
    });
    await page.goto(site.server.url);
    await page.waitForSelector('#start:not([disabled])', { timeout: 60_000 });
    const labels = await page.evaluate(() => window.testLabels);
    const shown = labels.map((label) => /(\d+) % of ([\d.]+) MB/.exec(label)).filter(Boolean);
    assert.ok(shown.length >= 2, `progress on the button: ${JSON.stringify(labels)}`);
    const percents = shown.map((m) => Number(m[1]));
    assert.deepEqual(percents, [...percents].sort((a, b) => a - b), 'the progress never goes back');
    const bytes = ['lumaro.wasm', 'SongM.xm'].reduce((sum, file) => sum + statSync(join(process.env.LUMARO_SITE, file)).size, 0);
    assert.equal(shown[shown.length - 1][2], (bytes / 1e6).toFixed(1), 'the program and the music in all');
    assert.equal(labels[labels.length - 1], 'Start');
    await page.close();
  });

  it('has the desktop program\'s icon as its own', async () => {
    const { page, lines } = await open(site.browser, site.server.url);
    const icon = await page.evaluate(async () => {
      const reply = await fetch(document.querySelector('link[rel~=icon]').href);
      return [...new Uint8Array(await reply.arrayBuffer())];
    });
    const desktop = readFileSync(join(dirname(process.env.LUMARO_NATIVE), 'art', 'lumaro.png'));
    assert.ok(Buffer.from(icon).equals(desktop), `the icon is the desktop's (${icon.length} bytes)`);
    assert.deepEqual(troubles(lines), []);
    await page.close();
  });
});
