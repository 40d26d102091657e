// Reads an exported model with outside readers and fails on any complaint.
//   node check_model.mjs FILE.glb|FILE.obj [minX minY minZ maxX maxY maxZ
//                                          [eyeX eyeY eyeZ targetX targetY targetZ fovDegrees]]
// A .glb goes through the Khronos validator (no errors, no warnings allowed) and three.js's
// loader, which prints each material; an .obj through three.js's loader. With six numbers, the loaded scene's bounding box
// must match them within 1e-4. With seven more, the .glb's first camera must stand at the eye,
// look at the target with +y up and have that vertical field of view.
import { readFileSync } from "node:fs";
import { validateBytes } from "gltf-validator";
import { Box3, Vector3 } from "three";
import { GLTFLoader } from "three/examples/jsm/loaders/GLTFLoader.js";
import { OBJLoader } from "three/examples/jsm/loaders/OBJLoader.js";

const [file, ...numbers] = process.argv.slice(2);
const bytes = new Uint8Array(readFileSync(file));
let failed = false;
const fail = (message) => {
  console.log(message);
  failed = true;
};

async function loadGlb() {
  const report = await validateBytes(bytes);
  const issues = report.issues;
  for (const m of issues.messages) {
    if (m.severity <= 1) fail(`validator: ${m.code} ${m.message} at ${m.pointer ?? ""}`);
  }
  if (issues.numErrors + issues.numWarnings > 0) fail(`validator: ${issues.numErrors} errors, ${issues.numWarnings} warnings`);
  const buffer = bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength);
  // Pictures need a browser to decode; the geometry does not, so textures are left out here.
  const loader = new GLTFLoader();
  loader.register((parser) => ({ name: "no-textures", loadTexture: () => Promise.resolve(null) }));
  return await new Promise((resolve, reject) => loader.parse(buffer, "", resolve, reject));
}

const gltf = file.toLowerCase().endsWith(".glb") ? await loadGlb() : null;
const scene = gltf ? gltf.scene : new OBJLoader().parse(readFileSync(file, "utf8"));
scene.updateMatrixWorld(true);
// Each material of a .glb as the viewer takes it: metalness, roughness, base colour.
const materials = new Set();
scene.traverse((o) => {
  if (gltf && o.isMesh && !materials.has(o.material)) {
    materials.add(o.material);
    const m = o.material;
    console.log(`material ${m.metalness} ${m.roughness} ${m.color.r} ${m.color.g} ${m.color.b}`);
  }
});
const box = new Box3().setFromObject(scene, true);
console.log(`box ${box.min.x} ${box.min.y} ${box.min.z} ${box.max.x} ${box.max.y} ${box.max.z}`);
if (numbers.length >= 6) {
  const got = [box.min.x, box.min.y, box.min.z, box.max.x, box.max.y, box.max.z];
  got.forEach((v, i) => {
    if (!(Math.abs(v - Number(numbers[i])) <= 1e-4)) fail(`box[${i}] ${v}, expected ${numbers[i]}`);
  });
}
if (numbers.length === 13) {
  const [ex, ey, ez, tx, ty, tz, fov] = numbers.slice(6).map(Number);
  const camera = gltf?.cameras?.[0];
  if (!camera) {
    fail("no camera");
  } else {
    const near = (a, b, tolerance, what) => {
      if (!(a.distanceTo(b) <= tolerance)) fail(`camera ${what} ${a.toArray()}, expected ${b.toArray()}`);
    };
    const eye = new Vector3(ex, ey, ez);
    near(camera.getWorldPosition(new Vector3()), eye, 1e-4, "position");
    const ahead = new Vector3(tx, ty, tz).sub(eye).normalize();
    near(camera.getWorldDirection(new Vector3()), ahead, 1e-5, "direction");
    // Up as a look-at with +y up leaves it: the camera's x axis level, its y axis not downwards.
    const right = new Vector3(1, 0, 0).applyQuaternion(camera.getWorldQuaternion(camera.quaternion.clone()));
    const up = new Vector3(0, 1, 0).applyQuaternion(camera.getWorldQuaternion(camera.quaternion.clone()));
    if (!(Math.abs(right.y) <= 1e-5 && up.y >= 0)) fail(`camera rolled: right ${right.toArray()} up ${up.toArray()}`);
    if (!(camera.isPerspectiveCamera && Math.abs(camera.fov - fov) <= 1e-4)) fail(`camera fov ${camera.fov}, expected ${fov}`);
  }
}
process.exit(failed ? 1 : 0);
