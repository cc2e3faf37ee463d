#!/usr/bin/env node
// The browser edition against the native tool on the same machine: a square picture to
// binary STL in the page (the tool's run in the worker, and from the click until the file is
// offered, by the page's own clock) and by quorvmesh (the whole process), medians of --repeat
// runs; and the most memory the browser's processes take above what they took before a run.
//
//   node bench/web/page-vs-native.mjs [--size 2048] [--repeat 5] [--format stl]
//   (after bash scripts/web and the native build; QM_QUORVMESH names another tool)
import { execFileSync, spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { parseArgs } from 'node:util';
import { grayBmp } from '../../web/tests/pictures.mjs';
import { launchBrowser, serve } from '../../web/tests/site.mjs';

const { values: options } = parseArgs({
  options: {
    size: { type: 'string', default: '2048' },
    repeat: { type: 'string', default: '5' },
    format: { type: 'string', default: 'stl' },
  },
});
const size = Number(options.size);
const repeat = Number(options.repeat);
const top = resolve(import.meta.dirname, '../..');
const tool = resolve(process.env.QM_QUORVMESH || join(top, 'build/native/cli/quorvmesh'));
const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];

// A terrain-like picture: smooth hills and a ramp, every level used.
const folder = mkdtempSync(join(tmpdir(), 'qm-web-bench-'));
const picture = join(folder, `terrain${size}.bmp`);
writeFileSync(picture, grayBmp(size, size, (x, y) =>
  128 + 60 * Math.sin(x / 97) * Math.cos(y / 61) + 50 * Math.sin((x + 2 * y) / 413)));

// Resident memory of every process of this browser (its profile folder names them all).
function browserMemory(profile) {
  let total = 0;
  for (const pid of readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
    try {
      if (!readFileSync(`/proc/${pid}/cmdline`, 'latin1').includes(profile)) continue;
      const rss = /VmRSS:\s+(\d+) kB/.exec(readFileSync(`/proc/${pid}/status`, 'latin1'));
      total += rss ? Number(rss[1]) * 1024 : 0;
    } catch { /* the process ended */ }
  }
  return total;
}

const { server, url } = await serve(join(top, 'out/web'));
const browser = await launchBrowser();
const page = await browser.newPage();
const profile = /--user-data-dir=(\S+)/.exec(execFileSync('ps', ['-eo', 'args'], { encoding: 'latin1' }))?.[1] ?? 'playwright';
await page.goto(url);
await page.setInputFiles('#picture', picture);
await page.selectOption('#format', options.format);

const inWorker = [], untilOffered = [];
let peak = 0;
for (let i = 0; i < repeat; ++i) {
  const before = browserMemory(profile);
  let highest = before;
  const watch = setInterval(() => { highest = Math.max(highest, browserMemory(profile)); }, 50);
  await page.click('#make');
  await page.waitForFunction(() => !document.getElementById('download').hidden ||
    !document.getElementById('error').hidden, null, { timeout: 600000 });
  const error = await page.$eval('#error', (e) => (e.hidden ? '' : e.textContent));
  if (error) throw new Error(error);
  // The page's own clock: the run in the worker, and from the click until the file is offered.
  const [, run, all] = /made in ([0-9.]+) s; ([0-9.]+) s in all/.exec(await page.$eval('#stats', (e) => e.textContent));
  inWorker.push(Number(run) * 1000);
  untilOffered.push(Number(all) * 1000);
  await page.waitForFunction(() => !document.getElementById('make').disabled, null, { timeout: 600000 });
  clearInterval(watch);
  peak = Math.max(peak, highest - before);
}

const native = [];
for (let i = 0; i < repeat; ++i) {
  const started = performance.now();
  const run = spawnSync(tool, [picture, '-q', '-o', join(folder, `native.${options.format}`)]);
  native.push(performance.now() - started);
  if (run.status !== 0) throw new Error(String(run.stderr));
}

await browser.close();
server.close();
rmSync(folder, { recursive: true, force: true });
const ms = (value) => `${(value / 1000).toFixed(2)} s`;
console.log(`${size} x ${size} to ${options.format}, medians of ${repeat}:`);
console.log(`  quorvmesh (whole process)     ${ms(median(native))}`);
console.log(`  page, the run in the worker   ${ms(median(inWorker))}  (${(median(inWorker) / median(native)).toFixed(2)} x native)`);
console.log(`  page, click to file offered   ${ms(median(untilOffered))}  (${(median(untilOffered) / median(native)).toFixed(2)} x native)`);
console.log(`  browser memory, most above idle  ${(peak / 2 ** 20).toFixed(0)} MiB`);
