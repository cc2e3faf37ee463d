// The page driven as a user drives it, through its controls' ids: every format and shape gives
// byte for byte the file quorvmesh writes for the same picture and command line.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { grayBmp, hills, testPattern } from './pictures.mjs';
import { launchBrowser, serve } from './site.mjs';

const top = resolve(import.meta.dirname, '../..');
const site = process.env.QM_WEB_SITE || join(top, 'out/web');
const tool = resolve(process.env.QM_QUORVMESH || join(top, 'build/native/cli/quorvmesh'));
const formats = ['stl', 'obj', 'ply', '3mf', 'nxm-dxf', '3dface-dxf', 'polyline-dxf', '3ds', 'cob', 'lwo'];
const shapes = ['rectangular', 'cylindrical', 'spherical'];

let folder, server, url, browser, page;

before(async () => {
  folder = mkdtempSync(join(tmpdir(), 'qm-web-'));
  writeFileSync(join(folder, 'rings.bmp'), grayBmp(29, 21, testPattern));
  ({ server, url } = await serve(site));
  browser = await launchBrowser();
  page = await browser.newPage({ acceptDownloads: true, viewport: { width: 1200, height: 800 } });
  await page.goto(url);
});

after(async () => {
  await browser?.close();
  if (server?.listening) server.close();
  rmSync(folder, { recursive: true, force: true });
});

// Sets the controls: a value for a select or text box, true/false for a check box.
async function setControls(controls) {
  for (const [id, value] of Object.entries(controls)) {
    const selector = `#${id}`;
    if (typeof value === 'boolean') await page.setChecked(selector, value);
    else if (await page.$eval(selector, (e) => e.tagName) === 'SELECT') await page.selectOption(selector, value);
    else await page.fill(selector, String(value));
  }
}

const defaults = {
  shape: 'rectangular', format: 'stl', resolution: '100', 'black-holes': false, invert: false,
};
const printDefaults = {
  ascii: false, solid: false, lithophane: false, mirror: false, width: '', relief: '',
  height: '', base: '', wall: '', 'max-error': '', triangles: '',
};

// Presses #make and waits for the file or the error.
// The format comes first: it decides which of the other controls can be set.
async function make(controls) {
  const triangles = ['stl', 'obj', 'ply', '3mf'].includes(controls.format ?? 'stl');
  await setControls({ ...defaults, ...(triangles ? printDefaults : {}), ...controls });
  await page.click('#make');
  await page.waitForFunction(() => !document.getElementById('make').disabled, null, { timeout: 120000 });
  const error = await page.$eval('#error', (e) => (e.hidden ? null : e.textContent));
  if (error) return { error };
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#download')]);
  const stats = await page.$eval('#stats', (e) => e.textContent);
  const command = await page.$eval('#command', (e) => e.textContent);
  return { bytes: readFileSync(await download.path()), stats, command, name: download.suggestedFilename() };
}

// quorvmesh on the page's command line, in the test folder, where the picture is.
function native(command) {
  const args = command.split(' ').slice(1);
  const run = spawnSync(tool, args, { cwd: folder, encoding: 'latin1' });
  const output = args[args.indexOf('-o') + 1];
  return { status: run.status, stdout: run.stdout, stderr: run.stderr, path: join(folder, output) };
}

function assertSameAsTool(result) {
  assert.ok(result.bytes, `the page made no file: ${result.error}`);
  const run = native(result.command);
  assert.equal(run.status, 0, run.stderr);
  const expected = readFileSync(run.path);
  assert.equal(result.bytes.length, expected.length, `${result.name}: sizes differ`);
  assert.ok(result.bytes.equals(expected), `${result.name}: bytes differ`);
  // The statistics are the tool's lines, then how long the page took.
  assert.equal(result.stats.replace(/\n?\(made in [0-9.]+ s; [0-9.]+ s in all\)$/, ''), run.stdout.trimEnd() +
    (run.stderr ? `\n${run.stderr.trimEnd()}` : ''));
}

describe('the page writes what quorvmesh writes', () => {
  before(async () => page.setInputFiles('#picture', join(folder, 'rings.bmp')));

  for (const shape of shapes)
    test(`every format, ${shape}`, async () => {
      for (const format of formats) assertSameAsTool(await make({ shape, format }));
    });

  test('printable solids, black holes, fewer triangles', async () => {
    const cases = [
      { format: 'stl', solid: true, base: '2', width: '60', relief: '3' },
      { format: 'obj', shape: 'cylindrical', 'black-holes': true, height: '40' },
      { format: '3mf', shape: 'cylindrical', lithophane: true, width: '80' },
      { format: 'ply', shape: 'spherical', solid: true, wall: '2', width: '50' },
      { format: 'obj', 'max-error': '0.05', invert: true, resolution: '50' },
      { format: 'stl', ascii: true, triangles: '300', mirror: true },
    ];
    for (const controls of cases) assertSameAsTool(await make(controls));
  });
});

// PNG, JPEG and the TIFFs the host's reader refuses go through the same libraries, built
// for the page.
test('every kind of picture the tool reads', async () => {
  const kinds = [
    ['rings.png', []], ['rings16.png', ['-depth', '16']], ['rings.jpg', ['-quality', '85']],
    ['rings-lzw.tif', ['-compress', 'lzw']], ['rings-rgb.png', ['-type', 'TrueColor']],
  ];
  for (const [name, options] of kinds) {
    execFileSync('convert', [join(folder, 'rings.bmp'), ...options, join(folder, name)]);
    await page.setInputFiles('#picture', join(folder, name));
    assertSameAsTool(await make({ format: 'stl', shape: 'spherical' }));
    assertSameAsTool(await make({ format: 'ply', relief: '2.5' }));
  }
});

test('without a picture the start-up picture is used', async () => {
  await page.setInputFiles('#picture', []);
  assertSameAsTool(await make({ format: 'cob', shape: 'spherical' }));
});

describe('what goes wrong is shown as the tool says it', () => {
  test('a page opened as a file says how to open it', async () => {
    const file = await browser.newPage();
    await file.goto(`file://${join(site, 'index.html')}`);
    assert.match(await file.$eval('#error', (e) => (e.hidden ? '' : e.textContent)), /web server/);
    await file.close();
  });

  test('a damaged picture shows #error with the tool\'s message', async () => {
    // The tool's preview picture is a real PNG; its first half is a damaged one.
    execFileSync(tool, ['-q', '-o', join(folder, 'x.stl'), '--preview', join(folder, 'p.png')]);
    const png = readFileSync(join(folder, 'p.png'));
    const damaged = join(folder, 'damaged.png');
    writeFileSync(damaged, png.subarray(0, png.length >> 1));
    await page.setInputFiles('#picture', damaged);
    const result = await make({ format: 'stl' });
    const run = native(`quorvmesh damaged.png -o damaged.stl`);
    assert.notEqual(run.status, 0);
    assert.equal(result.error, run.stderr.trimEnd());
    assert.equal(await page.$eval('#download', (e) => e.hidden), true);
  });

  test('Cancel stops a long run, and the next one works', async () => {
    writeFileSync(join(folder, 'large.bmp'), grayBmp(1600, 1600, testPattern));
    await page.setInputFiles('#picture', join(folder, 'large.bmp'));
    await setControls({ ...defaults, format: '3dface-dxf' });
    await page.click('#make');
    // Running: the file is being written.
    await page.waitForFunction(() => document.getElementById('progress').value > 0, null,
      { timeout: 60000 });
    await page.click('#cancel');
    assert.equal(await page.$eval('#make', (e) => e.disabled), false);
    assert.match(await page.$eval('#stats', (e) => e.textContent), /Cancelled/);
    await page.waitForTimeout(1000);
    assert.equal(await page.$eval('#download', (e) => e.hidden), true);
    await page.setInputFiles('#picture', join(folder, 'rings.bmp'));
    assertSameAsTool(await make({ format: 'stl', shape: 'rectangular' }));
  });
});

test('a tube in the 3D view', async () => {
  writeFileSync(join(folder, 'hills.bmp'), grayBmp(180, 90, hills));
  await page.setInputFiles('#picture', join(folder, 'hills.bmp'));
  assertSameAsTool(await make({ format: '3mf', shape: 'cylindrical', solid: true, width: '80' }));
  await page.evaluate(() => window.scrollTo(0, 0));
  // The view is drawn: its canvas is not one flat colour.
  const spread = await page.$eval('#view canvas', (canvas) => {
    const pixels = new Set();
    const probe = document.createElement('canvas');
    probe.width = 64;
    probe.height = 64;
    const context = probe.getContext('2d');
    context.drawImage(canvas, 0, 0, 64, 64);
    const data = context.getImageData(0, 0, 64, 64).data;
    for (let i = 0; i < data.length; i += 4) pixels.add(`${data[i]},${data[i + 1]},${data[i + 2]}`);
    return pixels.size;
  });
  assert.ok(spread > 20, `the view holds ${spread} colours`);
  if (process.env.QM_WEB_SCREENSHOT) await page.screenshot({ path: process.env.QM_WEB_SCREENSHOT });
});

// Last: it takes the server away.
test('once loaded, the page works with no server at all', async () => {
  await page.reload();
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null,
    { timeout: 30000 });
  server.closeAllConnections();
  await new Promise((resolve) => server.close(resolve));
  await page.reload();
  await page.setInputFiles('#picture', join(folder, 'rings.bmp'));
  assertSameAsTool(await make({ format: 'lwo', shape: 'cylindrical' }));
});
