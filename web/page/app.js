// The page: its controls become the tool's command line, which a worker runs on the picture.
import { commandLine, outputName, triangleFormats, viewCommandLine } from './commandLine.js';
import { MeshView } from './view.js';

const $ = (id) => document.getElementById(id);
const view = new MeshView($('view'));
let picture = null; // { name, bytes }
let worker = null;
let busy = false;
let downloadUrl = null;
let pending = null; // the running make's file name and command line
const viewOutput = '.view-of-mesh.stl';

function readControls() {
  const value = (id) => $(id).value.trim();
  const checked = (id) => $(id).checked;
  return {
    shape: value('shape'), resolution: value('resolution'), format: value('format'),
    blackHoles: checked('black-holes'), invert: checked('invert'), ascii: checked('ascii'),
    solid: checked('solid'), lithophane: checked('lithophane'), mirror: checked('mirror'),
    width: value('width'), relief: value('relief'), height: value('height'), base: value('base'),
    wall: value('wall'), maxError: value('max-error'), triangles: value('triangles'),
  };
}

// The print options mean nothing to the six classic formats.
function showFormatOptions() {
  const triangles = triangleFormats.has($('format').value);
  for (const part of document.querySelectorAll('.triangles-only')) {
    if (part.tagName === 'FIELDSET') part.disabled = !triangles;
    else {
      part.classList.toggle('disabled', !triangles);
      part.querySelector('input').disabled = !triangles;
    }
  }
}

function setBusy(on) {
  busy = on;
  $('make').disabled = on;
  $('cancel').disabled = !on;
  $('progress').hidden = !on;
  if (on) $('progress').removeAttribute('value');
}

function showError(lines) {
  $('error').textContent = lines.join('\n');
  $('error').hidden = lines.length === 0;
}

function startWorker() {
  worker = new Worker('worker.js');
  worker.onmessage = ({ data }) => {
    if (data.type === 'progress') {
      $('progress').max = data.total;
      $('progress').value = data.done;
    } else if (data.type === 'done') {
      finish(data);
    } else if (data.type === 'view') {
      if (data.file) showView(data.file);
      else setBusy(false);
    }
  };
  worker.onerror = (event) => {
    setBusy(false);
    showError([`The mesh could not be made: ${event.message || 'the page ran out of memory'}`]);
    worker.terminate();
    startWorker();
  };
}

async function showView(stl) {
  view.show(new Uint8Array(await stl.arrayBuffer()));
  setBusy(false);
}

const seconds = (milliseconds) => (milliseconds / 1000).toFixed(2);

// The file is offered at once; the view follows, from the file itself or from a run of its own.
function finish(result) {
  if (result.code !== 0) {
    setBusy(false);
    view.clear();
    showError(result.err.length ? result.err : [`quorvmesh stopped with exit code ${result.code}`]);
    $('stats').textContent = result.out.join('\n');
    return;
  }
  showError([]);
  // Warnings stay visible beside the statistics; they did not stop the run.
  $('stats').textContent = [...result.out, ...result.err].join('\n') +
    `\n(made in ${seconds(result.milliseconds)} s; ${seconds(performance.now() - pending.started)} s in all)`;
  if (downloadUrl) URL.revokeObjectURL(downloadUrl);
  downloadUrl = URL.createObjectURL(result.file);
  const link = $('download');
  link.href = downloadUrl;
  link.download = pending.name;
  link.textContent = `Download ${pending.name} (${result.file.size.toLocaleString()} bytes)`;
  link.hidden = false;
  const triangles = Number(/^Triangles:\s*(\d+)/m.exec(result.out.join('\n'))?.[1] ?? 0);
  const viewArgs = viewCommandLine(pending.args, viewOutput, triangles);
  if (!viewArgs) {
    showView(result.file);
    return;
  }
  $('progress').removeAttribute('value');
  worker.postMessage({ job: 'view', args: viewArgs, output: viewOutput });
}

function make(event) {
  event.preventDefault();
  if (busy) return;
  const values = readControls();
  const name = outputName(picture?.name, values.format);
  const args = commandLine(values, picture?.name, name);
  $('command').textContent = args.join(' ');
  $('download').hidden = true;
  showError([]);
  $('stats').textContent = '';
  setBusy(true);
  // The message's copy of the picture is the worker's; the page keeps its own for the next make.
  worker.postMessage({ job: 'make', args, output: name, picture });
  pending = { name, args, started: performance.now() };
}

async function takePicture(file) {
  if (!file) {
    picture = null;
    $('picture-name').textContent = 'No picture: the start-up picture is used.';
    return;
  }
  // A file name is one word of the command line: no folders, no line breaks, and no leading
  // dash that would make it an option.
  const name = file.name.replace(/[\/\\\r\n]/g, '_').replace(/^-/, '_') || 'picture';
  picture = { name, bytes: await file.arrayBuffer() };
  $('picture-name').textContent = `${name} (${file.size.toLocaleString()} bytes)`;
}

// The page's scripts run: the message for a page that cannot start goes.
showError([]);
navigator.serviceWorker?.register('offline.js');
startWorker();
$('options').addEventListener('submit', make);
$('format').addEventListener('change', showFormatOptions);
$('picture').addEventListener('change', () => takePicture($('picture').files[0]));
$('cancel').addEventListener('click', () => {
  worker.terminate();
  startWorker();
  setBusy(false);
  if ($('download').hidden) $('stats').textContent = 'Cancelled: no file was made.';
});
const drop = $('drop');
drop.addEventListener('dragover', (event) => { event.preventDefault(); drop.classList.add('over'); });
drop.addEventListener('dragleave', () => drop.classList.remove('over'));
drop.addEventListener('drop', (event) => {
  event.preventDefault();
  drop.classList.remove('over');
  takePicture(event.dataTransfer.files[0]);
});
showFormatOptions();
