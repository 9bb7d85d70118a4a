// One moment in each of the fourteen scenes, drawn by the page on the fixed clock with the
// native program's seed, against the native program's own frames of the same moments.
//
// The tolerance: a pixel differs when a channel is more than 25 levels (10 % of full scale)
// apart, and a frame matches when under 0.5 % of its pixels differ. The page draws through
// glcompat over WebGL on SwiftShader, the program through Mesa's llvmpipe: rasterisation
// rules agree, but edges, mipmap level choice and the layer's per-vertex arithmetic round
// apart by a few levels, and the odd edge or depth tie falls the other way. A wrong scene
// state (a texture, blend mode, light, fog or random number off) moves whole regions.
import assert from 'node:assert/strict';
import { it } from 'node:test';
import { join } from 'node:path';
import { clickStart, open, status, troubles, useSite, waitForStatus } from './harness.mjs';
import { compare, nativeStills, readTga } from './frames.mjs';

const level = 25, share = 0.005;
const seconds = [2, 6, 10, 16, 24, 31.52, 42.4, 110, 150, 200, 225, 262, 305, 326.5];
const width = 640;
const directory = join(process.env.LUMARO_TEST_DIR || '/tmp/lumaro-web-test', 'native-stills');
const site = useSite();

// The canvas's drawing buffer (kept for reading in this mode), rows from the bottom.
async function readCanvas(page) {
  const text = await page.evaluate(() => {
    const canvas = document.getElementById('canvas');
    const gl = canvas.getContext('webgl');
    const pixels = new Uint8Array(canvas.width * canvas.height * 4);
    gl.readPixels(0, 0, canvas.width, canvas.height, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
    let binary = '';
    for (let i = 0; i < pixels.length; i += 0x8000) binary += String.fromCharCode(...pixels.subarray(i, i + 0x8000));
    return btoa(binary);
  });
  return new Uint8Array(Buffer.from(text, 'base64'));
}

it('draws each scene as the native program does', { timeout: 360_000 }, async (t) => {
  nativeStills(process.env.LUMARO_NATIVE, directory, seconds, width);
  const { page, lines } = await open(site.browser, `${site.server.url}?stills=${seconds.join(',')}&seed=1&w=${width}`);
  const started = Date.now();
  await clickStart(page);
  const scenes = [];
  for (let i = 0; i < seconds.length; ++i) {
    await waitForStatus(page, (count) => window.lumaro.stills.length === count && window.lumaro.status().phase === 'still',
                        i + 1, 120_000);
    const { frameNumber, clock } = (await page.evaluate(() => window.lumaro.stills))[i];
    const { scene } = await status(page);
    const reference = readTga(join(directory, String(frameNumber).padStart(6, '0') + '.tga'));
    assert.equal(reference.width, width);
    const d = compare(reference, await readCanvas(page), level);
    t.diagnostic(`scene ${String(scene).padStart(2)} at ${clock.toFixed(2)} s (frame ${frameNumber}): ` +
                 `${(100 * d.share).toFixed(3)} % of pixels over ${level} levels, worst ${d.worst}, ` +
                 `mean ${d.mean.toFixed(2)}`);
    assert.ok(d.share < share, `scene ${scene} at ${seconds[i]} s: ${(100 * d.share).toFixed(2)} % of pixels differ`);
    scenes.push(scene);
    await page.evaluate(() => window.lumaro.next());
  }
  await waitForStatus(page, () => window.lumaro.status().phase === 'ended');
  t.diagnostic(`fourteen stills in ${((Date.now() - started) / 1000).toFixed(1)} s`);
  assert.deepEqual([...new Set(scenes)].sort((a, b) => a - b), Array.from({ length: 14 }, (_, i) => i + 1));
  assert.deepEqual(troubles(lines), []);
});
