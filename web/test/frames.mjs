// The native program's reference frames (TGA files) and the comparison with the page's.
import { spawnSync } from 'node:child_process';
import { mkdirSync, readFileSync, rmSync } from 'node:fs';
import { dirname } from 'node:path';

// The uncompressed 24- or 32-bit true-colour TGA the program writes, as RGB rows from the
// bottom (the order glReadPixels gives).
export function readTga(path) {
  const data = readFileSync(path);
  const idLength = data[0], type = data[2];
  const width = data.readUInt16LE(12), height = data.readUInt16LE(14), bits = data[16], top = (data[17] & 0x20) !== 0;
  if (type !== 2 || (bits !== 24 && bits !== 32)) throw new Error(`${path}: not an uncompressed true-colour TGA`);
  const step = bits / 8, start = 18 + idLength;
  const rgb = new Uint8Array(width * height * 3);
  for (let y = 0; y < height; ++y) {
    const row = top ? height - 1 - y : y;
    for (let x = 0; x < width; ++x) {
      const from = start + (row * width + x) * step, to = (y * width + x) * 3;
      rgb[to] = data[from + 2];
      rgb[to + 1] = data[from + 1];
      rgb[to + 2] = data[from];
    }
  }
  return { width, height, rgb };
}

// Pixels whose channels differ by more than `level`: their share, the largest channel
// difference and the mean one.
export function compare(native, rgba, level) {
  let over = 0, worst = 0, sum = 0;
  const pixels = native.width * native.height;
  for (let i = 0; i < pixels; ++i) {
    let most = 0;
    for (let c = 0; c < 3; ++c) {
      const d = Math.abs(native.rgb[i * 3 + c] - rgba[i * 4 + c]);
      sum += d;
      if (d > most) most = d;
    }
    if (most > level) ++over;
    if (most > worst) worst = most;
  }
  return { share: over / pixels, worst, mean: sum / (pixels * 3) };
}

// The native program's stills into `directory`, numbered as in a whole run.
export function nativeStills(program, directory, seconds, width) {
  rmSync(directory, { recursive: true, force: true });
  mkdirSync(directory, { recursive: true });
  const run = spawnSync(program, ['-headless', '-nosound', `-w${width}`, '-seed=1', `-stills=${seconds.join(',')}`,
    `-videodir=${directory}`], { cwd: dirname(program), timeout: 180_000, encoding: 'utf8' });
  if (run.status !== 0) throw new Error(`native stills failed (${run.status ?? run.signal}): ${run.stderr}`);
}
