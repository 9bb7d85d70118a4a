// "?timedemo": the fixed clock as fast as the page draws, then the desktop's per-scene
// table on the page. From 322 s: the metaballs' last seconds, the end card, the black
// second.
import assert from 'node:assert/strict';
import { it } from 'node:test';
import { clickStart, open, troubles, useSite } from './harness.mjs';

const start = 322;
const site = useSite();

// The fixed clock's frames from `start` on: 0.04 s steps summed in single precision from
// zero, the first at or after the start, the last the first at or past the show's 329 s.
function fixedClockFrames(from) {
  const step = Math.fround(0.04);
  let clock = 0, frames = 0;
  for (;;) {
    clock = Math.fround(clock + step);
    if (clock >= from) ++frames;
    if (clock >= 329) return frames;
  }
}

it('prints the table of each scene\'s frame times on the page', { timeout: 240_000 }, async (t) => {
  const { page, lines } = await open(site.browser, `${site.server.url}?timedemo&start=${start}&w=320`);
  await clickStart(page);
  await page.waitForSelector('#table:not([hidden])', { timeout: 200_000 });
  const table = await page.textContent('#table');
  t.diagnostic('\n' + table);
  assert.match(table.split('\n')[0], /^Lumaro timedemo at 320 x 240 on \S/);
  const rows = table.split('\n').filter((line) => /^\s*(\d+|-|show)\s/.test(line)).map((line) => line.trim().split(/\s+/));
  const label = (row) => row[0];
  const frames = (row) => Number(row[row.length - 5]);
  assert.deepEqual(rows.map(label), ['13', '14', '-', 'show']);
  const scenes = rows.slice(0, -1).reduce((sum, row) => sum + frames(row), 0);
  assert.equal(frames(rows[3]), scenes, 'the show row sums the scenes');
  assert.equal(scenes, fixedClockFrames(start));
  for (const row of rows) assert.ok(Number(row[row.length - 4]) > 0, `a median time for ${label(row)}`);
  assert.match(table, /start-up to the first frame \d+ ms/);
  assert.deepEqual(troubles(lines), []);
});
