// The command line the page runs, built from its controls: the same words a user types for
// quorvmesh, so that the page's file is the tool's file, and the line can be copied.

export const triangleFormats = new Set(['stl', 'obj', 'ply', '3mf']);

const extensions = {
  stl: 'stl', obj: 'obj', ply: 'ply', '3mf': '3mf', 'nxm-dxf': 'dxf', '3dface-dxf': 'dxf',
  'polyline-dxf': 'dxf', '3ds': '3ds', cob: 'cob', lwo: 'lwo',
};

export function outputName(pictureName, format) {
  const stem = pictureName ? pictureName.replace(/\.[^.]*$/, '') || 'picture' : 'startup';
  return `${stem}.${extensions[format]}`;
}

// values: the controls' values (see readControls in app.js); input and output: the paths.
export function commandLine(values, input, output) {
  const args = ['quorvmesh'];
  if (input) args.push(input);
  args.push('-o', output, '--format', values.format, '--mesh', values.shape,
    '--resolution', values.resolution);
  if (values.blackHoles) args.push('--black-holes');
  if (values.invert) args.push('--invert');
  if (triangleFormats.has(values.format)) {
    if (values.ascii && values.format === 'stl') args.push('--ascii');
    for (const flag of ['solid', 'lithophane', 'mirror'])
      if (values[flag]) args.push(`--${flag}`);
    for (const [option, value] of [['width', values.width], ['relief', values.relief],
      ['height', values.height], ['base', values.base], ['wall', values.wall],
      ['max-error', values.maxError], ['triangles', values.triangles]])
      if (value !== '') args.push(`--${option}`, value);
  }
  return args;
}

// The view draws at most about this many triangles; a larger mesh is shown at a coarser
// resolution, which keeps its shape.
const viewTriangles = 1500000;
const resolutions = [100, 75, 66, 50, 33, 25, 20, 10];

// What the view is drawn from: the mesh as binary STL. Null when the file is that already
// and small enough to draw; else the command line that makes it (triangles: the file's count).
export function viewCommandLine(args, output, triangles) {
  const value = (option) => args[args.indexOf(option) + 1];
  const resolution = Number(value('--resolution'));
  let coarser = resolution;
  for (const r of resolutions)
    if (r <= resolution && triangles * (r / resolution) ** 2 <= viewTriangles) {
      coarser = r;
      break;
    }
  if (value('--format') === 'stl' && !args.includes('--ascii') && coarser === resolution)
    return null;
  const replaced = { '-o': output, '--format': 'stl', '--resolution': String(coarser) };
  const view = [];
  for (let i = 0; i < args.length; ++i) {
    if (args[i] === '--ascii') continue;
    view.push(args[i]);
    if (args[i] in replaced) view.push(replaced[args[i++]]);
  }
  view.push('--quiet');
  return view;
}
