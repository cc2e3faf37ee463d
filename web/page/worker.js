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
  const started = performance.now();
  const code = module.ccall('RunTool', 'number', ['string'], [args.join('\n')]);
  return { code, out, err, milliseconds: performance.now() - started };
}

// A file of the module's as a Blob, copied once, and gone from the module.
function take(module, path) {
  if (!module.FS.analyzePath(path).exists) return null;
  const { node } = module.FS.lookupPath(path);
  const file = new Blob([node.contents.subarray(0, node.usedBytes)]);
  module.FS.unlink(path);
  return file;
}

// The module's files grow by an eighth at a time past 1 MiB, copying all they hold each
// time: a mesh file of 400 MB would be copied some 40 times over. Doubling copies it twice.
function growFilesByDoubling(module) {
  module.FS.filesystems.MEMFS.expandFileStorage = (node, wanted) => {
    const had = node.contents ? node.contents.length : 0;
    if (had >= wanted) return;
    const grown = new Uint8Array(Math.max(wanted, had * 2, 256));
    if (node.usedBytes > 0) grown.set(node.contents.subarray(0, node.usedBytes));
    node.contents = grown;
  };
}

// make: the picture (kept for the view's run) and the command line; view: a command line
// that writes the view's STL. Both run in a folder of their own, so that the tool's messages
// name the files as the user does.
onmessage = async ({ data }) => {
  const module = await ready;
  if (!module.FS.analyzePath('/work').exists) {
    growFilesByDoubling(module);
    module.FS.mkdir('/work');
    module.FS.chdir('/work');
  }
  if (data.job === 'make') {
    for (const name of module.FS.readdir('.'))
      if (name !== '.' && name !== '..') module.FS.unlink(name);
    if (data.picture) module.FS.writeFile(data.picture.name, new Uint8Array(data.picture.bytes));
    const result = run(module, data.args);
    const file = result.code === 0 ? take(module, data.output) : null;
    postMessage({ type: 'done', ...result, file });
  } else {
    const result = run(module, data.args);
    postMessage({ type: 'view', file: result.code === 0 ? take(module, data.output) : null });
  }
};
