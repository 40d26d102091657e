// Reads an exported model with outside readers and fails on any complaint.
//   node check_model.mjs FILE.glb|FILE.obj [minX minY minZ maxX maxY maxZ]
// A .glb goes through the Khronos validator (no errors, no warnings allowed) and three.js's
// loader; an .obj through three.js's loader. With six numbers, the loaded scene's bounding box
// must match them within 1e-4.
import { readFileSync } from "node:fs";
import { validateBytes } from "gltf-validator";
import { Box3 } from "three";
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
  const gltf = await new Promise((resolve, reject) => loader.parse(buffer, "", resolve, reject));
  return gltf.scene;
}

const scene = file.toLowerCase().endsWith(".glb")
  ? await loadGlb()
  : new OBJLoader().parse(readFileSync(file, "utf8"));
scene.updateMatrixWorld(true);
const box = new Box3().setFromObject(scene, true);
console.log(`box ${box.min.x} ${box.min.y} ${box.min.z} ${box.max.x} ${box.max.y} ${box.max.z}`);
if (numbers.length === 6) {
  const got = [box.min.x, box.min.y, box.min.z, box.max.x, box.max.y, box.max.z];
  got.forEach((v, i) => {
    if (!(Math.abs(v - Number(numbers[i])) <= 1e-4)) fail(`box[${i}] ${v}, expected ${numbers[i]}`);
  });
}
process.exit(failed ? 1 : 0);
