// The page in headless Chromium, before and around a show: its title and start button, the
// picture's shape in any window and full screen, wrong options.
// scripts/web.sh test runs these files (node --test) with the site and the native program built.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import { clickStart, open, status, troubles, useSite, waitForStatus } from './harness.mjs';

const site = useSite();

describe('the page', { timeout: 90_000 }, () => {
  it('is titled with the show, warns of its flashes and offers the start button and a safe version', async () => {
    const { page, lines } = await open(site.browser, site.server.url);
    assert.equal(await page.title(), 'Lumaro');
    await page.waitForSelector('#start:not([disabled])', { timeout: 60_000 });
    assert.equal((await page.textContent('#start')).trim(), 'Start');
    assert.equal((await page.textContent('#safe')).trim(), 'Safe version');
    assert.equal(await page.isDisabled('#safe'), false);
    assert.match(await page.textContent('#warning'), /Photosensitivity warning/);
    assert.ok(await page.evaluate(() => document.getElementById('warning').compareDocumentPosition(
      document.getElementById('start')) & Node.DOCUMENT_POSITION_FOLLOWING), 'the warning comes before the buttons');
    assert.deepEqual(troubles(lines), []);
    await page.close();
  });

  it('starts the safe version from its button, the query given kept', async () => {
    const { page, lines } = await open(site.browser, site.server.url + '?w=320&nosound&start=260&end=262');
    await page.waitForSelector('#safe:not([disabled])', { timeout: 60_000 });
    await page.click('#safe');
    await waitForStatus(page, () => window.lumaro.status().frames > 0, null, 60_000);
    assert.ok((await status(page)).clock >= 260);
    assert.equal(await page.textContent('#message'), '');
    assert.deepEqual(troubles(lines), []);
    await page.close();
  });

  it('keeps the picture whole in its 4:3 shape, centred between black bars, in the window and full screen',
     async () => {
    const { page, lines } = await open(site.browser, site.server.url + '?w=640&nosound', { width: 1000, height: 600 });
    await clickStart(page);
    await waitForStatus(page, () => window.lumaro.status().frames > 0, null, 60_000);
    const box = () => page.evaluate(() => {
      const r = document.getElementById('canvas').getBoundingClientRect();
      const c = document.getElementById('canvas');
      return { x: r.x, y: r.y, width: r.width, height: r.height, drawn: [c.width, c.height],
               window: [innerWidth, innerHeight], full: document.fullscreenElement?.id ?? null };
    });
    // The largest 4:3 box inside the window, in its middle.
    const fits = (b) => {
      const scale = Math.min(b.window[0] / 4, b.window[1] / 3);
      assert.deepEqual(b.drawn, [640, 480]);
      assert.ok(Math.abs(b.width - 4 * scale) <= 1 && Math.abs(b.height - 3 * scale) <= 1, JSON.stringify(b));
      assert.ok(Math.abs(b.x - (b.window[0] - b.width) / 2) <= 1, JSON.stringify(b));
      assert.ok(Math.abs(b.y - (b.window[1] - b.height) / 2) <= 1, JSON.stringify(b));
    };
    fits(await box());
    await page.setViewportSize({ width: 500, height: 700 });
    await page.waitForFunction(() => document.getElementById('canvas').getBoundingClientRect().width <= 500);
    fits(await box());
    await page.keyboard.press('f');
    await page.waitForFunction(() => document.fullscreenElement !== null);
    fits(await box());
    await page.keyboard.press('f');
    await page.waitForFunction(() => document.fullscreenElement === null);
    await page.keyboard.press('Escape');
    await waitForStatus(page, () => window.lumaro.status().phase === 'ended');
    assert.deepEqual(troubles(lines), []);
    await page.close();
  });

  it('refuses a wrong option and the desktop program\'s own, naming each as the query has it', async () => {
    const { page } = await open(site.browser, site.server.url);
    const items = ['seed=abc', 'foo', 'video=show.mp4', 'videosave', 'window', 'headless', 'size=1920x1080',
                   'widescreen'];
    for (const item of items) {
      await page.evaluate((query) => history.replaceState(null, '', '?' + query), item);
      await clickStart(page);
      await page.waitForFunction((text) => document.getElementById('message').textContent.includes(text), item);
      const said = await page.textContent('#message');
      assert.equal((await status(page)).phase, 'idle', `${item}: nothing starts`);
      assert.ok(!said.includes('-' + item.split('=')[0]), `${item} in the page's words: ${said}`);
    }
    await page.close();
  });
});
