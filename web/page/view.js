// The 3D view: the mesh's triangles as the file holds them, Z up, turned with the mouse
// (drag to orbit, wheel to zoom, right drag to pan).
import * as THREE from 'three';
import { OrbitControls } from 'three/addons/controls/OrbitControls.js';

// Binary STL: an 80-byte header, a count, then 50 bytes a triangle (normal, three corners).
function stlPositions(bytes) {
  const data = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  const count = data.getUint32(80, true);
  const positions = new Float32Array(count * 9);
  for (let t = 0; t < count; ++t) {
    const at = 84 + t * 50 + 12;
    for (let k = 0; k < 9; ++k) positions[t * 9 + k] = data.getFloat32(at + k * 4, true);
  }
  return positions;
}

export class MeshView {
  constructor(element) {
    this.element = element;
    this.renderer = new THREE.WebGLRenderer({ antialias: true, preserveDrawingBuffer: true });
    this.renderer.setPixelRatio(window.devicePixelRatio);
    element.appendChild(this.renderer.domElement);
    this.scene = new THREE.Scene();
    this.scene.background = new THREE.Color(0x1d232a);
    this.camera = new THREE.PerspectiveCamera(35, 1, 0.1, 1e6);
    this.camera.up.set(0, 0, 1);
    this.scene.add(new THREE.HemisphereLight(0xffffff, 0x445566, 1.2));
    const sun = new THREE.DirectionalLight(0xffffff, 1.6);
    sun.position.set(1, -2, 3);
    this.camera.add(sun);
    this.scene.add(this.camera);
    this.controls = new OrbitControls(this.camera, this.renderer.domElement);
    this.controls.addEventListener('change', () => this.draw());
    new ResizeObserver(() => this.resize()).observe(element);
    this.resize();
  }

  resize() {
    const { clientWidth: width, clientHeight: height } = this.element;
    if (!width || !height) return;
    this.renderer.setSize(width, height);
    this.camera.aspect = width / height;
    this.camera.updateProjectionMatrix();
    this.draw();
  }

  draw() {
    this.renderer.render(this.scene, this.camera);
  }

  clear() {
    if (this.mesh) {
      this.scene.remove(this.mesh);
      this.mesh.geometry.dispose();
      this.mesh = null;
    }
    this.draw();
  }

  show(stlBytes) {
    this.clear();
    const geometry = new THREE.BufferGeometry();
    geometry.setAttribute('position', new THREE.BufferAttribute(stlPositions(stlBytes), 3));
    geometry.computeVertexNormals();
    geometry.computeBoundingSphere();
    const material = new THREE.MeshStandardMaterial({
      color: 0xd8d2c4, roughness: 0.8, side: THREE.DoubleSide, flatShading: true,
    });
    this.mesh = new THREE.Mesh(geometry, material);
    this.scene.add(this.mesh);
    const { center, radius } = geometry.boundingSphere;
    const distance = radius / Math.sin(THREE.MathUtils.degToRad(this.camera.fov / 2));
    this.camera.position.copy(center).add(new THREE.Vector3(0.55, -1.1, 0.75).normalize()
      .multiplyScalar(distance));
    this.camera.near = distance / 100;
    this.camera.far = distance * 10;
    this.camera.updateProjectionMatrix();
    this.controls.target.copy(center);
    this.controls.update();
    this.draw();
  }
}
