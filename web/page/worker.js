// Runs the tool's WebAssembly in a worker, so that the page stays responsive; the page ends
// a run it cancels by ending the worker.
importScripts('quorvmesh.js');

let out = [];
let err = [];
const ready = QuorvMeshModule({
  print: (line) => out.push(line),
  printErr: (line) => err.push(line),
  onProgress: (done, total) => postMessage({ type: 'progress', done, total }),
});

function run(module, args) {
  out = [];
  err = [];
  const code = module.ccall('RunTool', 'number', ['string'], [args.join('\n')]);
  return { code, out, err };
}

function take(module, path) {
  try {
    const bytes = module.FS.readFile(path);
    module.FS.unlink(path);
    return bytes;
  } catch {
    return null;
  }
}

onmessage = async ({ data }) => {
  const module = await ready;
  for (const folder of ['/in', '/out'])
    if (!module.FS.analyzePath(folder).exists) module.FS.mkdir(folder);
  if (data.picture) module.FS.writeFile(data.picture.path, new Uint8Array(data.picture.bytes));
  const started = performance.now();
  const result = run(module, data.args);
  result.milliseconds = performance.now() - started;
  const file = result.code === 0 ? take(module, data.output) : null;
  let view = null;
  if (file && data.viewArgs) {
    postMessage({ type: 'stage', text: 'Preparing the 3D view…' });
    if (run(module, data.viewArgs).code === 0) view = take(module, data.viewOutput);
  }
  if (data.picture) module.FS.unlink(data.picture.path);
  const transfer = [file, view].filter(Boolean).map((bytes) => bytes.buffer);
  postMessage({ type: 'done', ...result, file, view: view || (data.viewArgs ? null : file) },
    transfer);
};
