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

// What the view is drawn from: the same mesh as binary STL, unless the file is one already.
export function viewCommandLine(args, output) {
  if (args.includes('stl') && !args.includes('--ascii')) return null;
  const view = [];
  for (let i = 0; i < args.length; ++i) {
    if (args[i] === '--ascii') continue;
    if (args[i] === '-o' || args[i] === '--format') {
      view.push(args[i], args[i] === '-o' ? output : 'stl');
      ++i;
      continue;
    }
    view.push(args[i]);
  }
  view.push('--quiet');
  return view;
}
