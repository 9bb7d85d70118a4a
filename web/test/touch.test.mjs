// The show without a keyboard and beyond the happy path: a tap pauses, the on-screen
// controls skip, stop and go full screen, a screen reader hears "playing" and "paused"; the
// end of a show in full screen keeps the button, the messages and the timedemo's table in
// sight; a lost WebGL context stops the show and says so.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import { clickStart, open, status, troubles, useSite, waitForStatus } from './harness.mjs';

const site = useSite();

// What the live regions say now (a screen reader reads them out as they change).
const spoken = (page) => page.evaluate(() =>
  [...document.querySelectorAll('[aria-live], [role=status], [role=alert]')].map((e) => e.textContent).join(' '));

// Whether the element is what a click at its middle meets: nothing, the full-screen picture
// included, lies over it.
const inSight = (page, selector) => page.evaluate((selector) => {
  const element = document.querySelector(selector);
  const r = element.getBoundingClientRect();
  return r.width > 0 && document.elementFromPoint(r.x + r.width / 2, r.y + r.height / 2) === element;
}, selector);

const button = (page, name) => page.getByRole('button', { name });

describe('without a keyboard', { timeout: 120_000 }, () => {
  it('pauses on a tap; the controls skip, go full screen and stop; a screen reader hears it', async () => {
    const context = await site.browser.newContext({ hasTouch: true, viewport: { width: 800, height: 600 } });
    const page = await context.newPage();
    const lines = [];
    page.on('pageerror', (error) => lines.push('page error: ' + error.message));
    await page.goto(site.server.url + '?w=320&seed=1&start=60&nosound');
    await page.waitForSelector('#start:not([disabled])', { timeout: 60_000 });
    await page.tap('#start');
    await waitForStatus(page, () => window.lumaro.status().frames > 0, null, 60_000);
    assert.equal(await page.getByRole('img', { name: /Lumaro/ }).count(), 1, 'the picture has a name');
    assert.match(await spoken(page), /playing/);

    await page.tap('#canvas');
    await waitForStatus(page, () => window.lumaro.status().phase === 'paused');
    assert.match(await spoken(page), /paused/);
    const from = await status(page);
    await button(page, /next/i).tap();
    await waitForStatus(page, (scene) => window.lumaro.status().scene === scene + 1, from.scene, 60_000);
    assert.equal((await status(page)).phase, 'paused');
    await button(page, /^play$/i).tap();
    await waitForStatus(page, () => window.lumaro.status().phase === 'running');
    assert.match(await spoken(page), /playing/);

    await page.tap('#canvas');
    await waitForStatus(page, () => window.lumaro.status().phase === 'paused');
    await button(page, /full screen/i).tap();
    await page.waitForFunction(() => document.fullscreenElement !== null);
    await button(page, /stop/i).tap();
    await waitForStatus(page, () => window.lumaro.status().phase === 'ended');
    assert.equal(await inSight(page, '#start'), true, 'Play again in sight in full screen');
    assert.deepEqual(troubles(lines), []);
    await context.close();
  });
});

describe('the end of a show in full screen', { timeout: 120_000 }, () => {
  it('shows Play again and the messages over the picture, and gives the button the keyboard\'s focus', async () => {
    const page = await site.browser.newPage();
    const lines = [];
    page.on('pageerror', (error) => lines.push('page error: ' + error.message));
    await page.route('**/SongM.xm', (route) => route.fulfill({ status: 404, body: '' }));  // a message to show
    await page.goto(site.server.url + '?start=325&w=320');
    await clickStart(page);
    await waitForStatus(page, () => window.lumaro.status().frames > 0, null, 60_000);
    await page.keyboard.press('f');
    await page.waitForFunction(() => document.fullscreenElement !== null);
    await waitForStatus(page, () => window.lumaro.status().phase === 'ended', null, 60_000);
    assert.equal(await inSight(page, '#start'), true);
    assert.equal(await inSight(page, '#message'), true, 'the message that the music is missing');
    assert.equal(await page.evaluate(() => document.activeElement?.id), 'start');
    await page.keyboard.press('Enter');  // plays again from the keyboard
    await waitForStatus(page, () => window.lumaro.status().phase === 'running', null, 60_000);
    await page.keyboard.press('Escape');
    await waitForStatus(page, () => window.lumaro.status().phase === 'ended');
    assert.deepEqual(troubles(lines), []);
    await page.close();
  });

  it('shows the timedemo\'s table over the picture', async () => {
    const { page } = await open(site.browser, site.server.url + '?timedemo&start=327&w=320&nosound');
    await clickStart(page);
    await page.keyboard.press('f');
    await page.waitForFunction(() => document.fullscreenElement !== null);
    await page.waitForSelector('#table:not([hidden])', { timeout: 60_000 });
    assert.equal(await inSight(page, '#table'), true);
    await page.close();
  });
});

describe('a lost WebGL context', { timeout: 120_000 }, () => {
  it('stops the show and says so on the page', async () => {
    const { page } = await open(site.browser, site.server.url + '?w=320&seed=1&start=60&nosound');
    await clickStart(page);
    await waitForStatus(page, () => window.lumaro.status().frames > 0, null, 60_000);
    await page.evaluate(() =>
      document.getElementById('canvas').getContext('webgl').getExtension('WEBGL_lose_context').loseContext());
    await waitForStatus(page, () => window.lumaro.status().phase === 'ended');
    assert.match(await page.textContent('#message'), /WebGL/);
    assert.equal(await inSight(page, '#start'), true);
    assert.doesNotMatch(await page.textContent('#start'), /Play again/, 'no show can run on the lost context');
    await page.close();
  });
});
