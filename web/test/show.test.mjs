// A live show in headless Chromium: the click starts picture and music (the AudioContext
// runs, an analyser on SDL's output hears the module), frames advance; Space pauses both
// and resumes them; Right and Left go to the scene starts (forward by walking the clock,
// back by starting over: the same frame either way); Escape ends the show, and the button
// starts it again.
import assert from 'node:assert/strict';
import { after, before, it } from 'node:test';
import { clickStart, launch, open, serve, status, troubles, waitForStatus } from './harness.mjs';

let server, browser, page, lines;

before(async () => {
  server = await serve(process.env.LUMARO_SITE);
  browser = await launch();
  // The fireworks: Right reaches the lit fractal, whose first frame draws from its clock alone.
  ({ page, lines } = await open(browser, server.url + '?w=640&seed=1&start=60'));
});
after(async () => {
  await browser?.close();
  server?.close();
});

// The loudest sample of the last 2048 that SDL's audio node gave out.
const loudness = () => {
  const samples = new Float32Array(window.testAnalyser.fftSize);
  window.testAnalyser.getFloatTimeDomainData(samples);
  return samples.reduce((most, s) => Math.max(most, Math.abs(s)), 0);
};
const hears = (page, test, timeout = 20_000) =>
  page.waitForFunction(`(${loudness})() ${test}`, null, { timeout, polling: 50 });
const canvasShot = () => page.locator('#canvas').screenshot();

it('starts picture and music on the click', { timeout: 90_000 }, async (t) => {
  const loaded = Date.now();
  await page.waitForSelector('#start:not([disabled])', { timeout: 60_000 });
  const clicked = Date.now();
  await clickStart(page);
  await waitForStatus(page, () => window.lumaro.status().frames > 0, null, 60_000);
  t.diagnostic(`page ready ${clicked - loaded} ms after load; first frame ${Date.now() - clicked} ms after the click`);
  const audio = await page.evaluate(() => {
    const sdl = Module.SDL2;
    window.testAnalyser = sdl.audioContext.createAnalyser();
    window.testAnalyser.fftSize = 2048;
    sdl.audio.scriptProcessorNode.connect(window.testAnalyser);
    return { state: sdl.audioContext.state, rate: sdl.audioContext.sampleRate, block: sdl.audio.scriptProcessorNode.bufferSize,
             latency: 1000 * ((sdl.audioContext.baseLatency || 0) + (sdl.audioContext.outputLatency || 0)) };
  });
  assert.equal(audio.state, 'running');
  await hears(page, '> 0.01');
  const first = await status(page);
  await waitForStatus(page, (before) => window.lumaro.status().frames >= before + 25, first.frames);
  const later = await status(page);
  assert.ok(later.clock > first.clock, `the clock moves on: ${first.clock} then ${later.clock}`);
  assert.equal(later.phase, 'running');
  t.diagnostic(`audio context at ${audio.rate} Hz, blocks of ${audio.block} samples, ` +
               `${audio.latency.toFixed(0)} ms output latency`);
});

it('draws at a measured rate', { timeout: 30_000 }, async (t) => {
  const a = await status(page), from = Date.now();
  await page.waitForTimeout(4000);
  const b = await status(page), seconds = (Date.now() - from) / 1000;
  t.diagnostic(`${((b.frames - a.frames) / seconds).toFixed(1)} frames a second at 640 x 480 ` +
               `(demo ${a.clock.toFixed(1)} to ${b.clock.toFixed(1)} s)`);
  assert.ok(b.frames > a.frames);
});

it('pauses picture and music together with Space, and resumes both', { timeout: 60_000 }, async () => {
  await page.keyboard.press('Space');
  await waitForStatus(page, () => window.lumaro.status().phase === 'paused');
  const paused = await status(page);
  await hears(page, '=== 0');  // SDL gives out silence while the device is paused
  const still = await status(page);
  assert.equal(still.clock, paused.clock);
  assert.equal(still.frames, paused.frames);
  await page.keyboard.press('Space');
  await waitForStatus(page, (clock) => window.lumaro.status().clock > clock, paused.clock);
  await hears(page, '> 0.01');
  await page.keyboard.press('Space');  // paused again for the jumps
  await waitForStatus(page, () => window.lumaro.status().phase === 'paused');
});

it('goes to the next and the previous scene start with Right and Left', { timeout: 90_000 }, async () => {
  const from = await status(page);
  await page.keyboard.press('ArrowRight');
  await waitForStatus(page, (scene) => window.lumaro.status().scene === scene + 1, from.scene, 60_000);
  const next = await status(page);
  assert.ok(next.clock > from.clock);
  const forward = await canvasShot();
  await page.keyboard.press('ArrowRight');
  await waitForStatus(page, (scene) => window.lumaro.status().scene === scene + 2, from.scene, 60_000);
  assert.ok((await status(page)).clock > next.clock);
  await page.keyboard.press('ArrowLeft');
  await waitForStatus(page, (scene) => window.lumaro.status().scene === scene + 1, from.scene, 60_000);
  const back = await status(page);
  assert.equal(back.clock, next.clock, 'the same scene start, reached forward and back');
  assert.equal(back.phase, 'paused');
  assert.ok((await canvasShot()).equals(forward), 'the same first frame, reached forward and back');
  await page.keyboard.press('Space');
  await waitForStatus(page, (clock) => window.lumaro.status().clock > clock, back.clock);
  await hears(page, '> 0.01');
});

it('ends the show on Escape and offers to play again', { timeout: 30_000 }, async () => {
  await page.keyboard.press('Escape');
  await waitForStatus(page, () => window.lumaro.status().phase === 'ended');
  assert.equal(await page.isVisible('#start'), true);
  assert.equal((await page.textContent('#start')).trim(), 'Play again');
  assert.equal(await page.evaluate(() => Module.SDL2.audioContext), undefined, 'the audio device is closed');
});

it('plays again from the start of its range on the next click', { timeout: 60_000 }, async () => {
  await page.click('#start');
  await waitForStatus(page, () => window.lumaro.status().phase === 'running' && window.lumaro.status().frames > 5,
                      null, 60_000);
  const again = await status(page);
  assert.ok(again.clock >= 60 && again.clock < 70, `from the start again: ${again.clock}`);
  assert.equal(await page.evaluate(() => Module.SDL2.audioContext.state), 'running');
  await page.keyboard.press('Space');  // the keys once each, as in the first show
  await waitForStatus(page, () => window.lumaro.status().phase === 'paused');
  await page.keyboard.press('Space');
  await waitForStatus(page, () => window.lumaro.status().phase === 'running');
  await page.keyboard.press('Escape');
  await waitForStatus(page, () => window.lumaro.status().phase === 'ended');
  assert.deepEqual(troubles(lines), []);
});
