#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>

#include "formats/model_writers.h"
#include "formats/png_writer.h"
#include "formats/replace_file.h"

namespace {

constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;
constexpr int kLinear = 9729;
constexpr int kRepeat = 10497;

using Object = tinygltf::Value::Object;
using Array = tinygltf::Value::Array;

tinygltf::Value Numbers(std::initializer_list<double> values) {
    Array array;
    for (double v : values) {
        array.emplace_back(v);
    }
    return tinygltf::Value(std::move(array));
}

class GlbBuilder {
  public:
    explicit GlbBuilder(const ModelScene& scene) : scene_(scene) {
        model_.asset.version = "2.0";
        model_.asset.generator = "Vellumark";
        model_.buffers.emplace_back();
    }

    tinygltf::Model Build() {
        tinygltf::Scene root;
        for (const ModelObject& object : scene_.objects) {
            root.nodes.push_back(AddObject(object));
        }
        root.nodes.push_back(AddLight());
        root.nodes.push_back(AddCamera());
        model_.scenes.push_back(std::move(root));
        model_.defaultScene = 0;
        return std::move(model_);
    }

  private:
    struct Geometry {
        int positions = -1, normals = -1, texcoords = -1, indices = -1;
    };

    int AddView(const void* data, std::size_t bytes, int target) {
        std::vector<unsigned char>& buffer = model_.buffers[0].data;
        buffer.resize((buffer.size() + 3) / 4 * 4, 0);
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = buffer.size();
        view.byteLength = bytes;
        view.target = target;
        const auto* bytesIn = static_cast<const unsigned char*>(data);
        buffer.insert(buffer.end(), bytesIn, bytesIn + bytes);
        model_.bufferViews.push_back(view);
        return static_cast<int>(model_.bufferViews.size() - 1);
    }

    int AddAccessor(const std::vector<float>& values, int components, int type, bool bounds) {
        tinygltf::Accessor accessor;
        accessor.bufferView = AddView(values.data(), values.size() * sizeof(float), kArrayBuffer);
        accessor.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
        accessor.count = values.size() / static_cast<std::size_t>(components);
        accessor.type = type;
        if (bounds) {
            accessor.minValues.assign(components, 0.0);
            accessor.maxValues.assign(components, 0.0);
            for (std::size_t i = 0; i < values.size(); ++i) {
                const std::size_t k = i % static_cast<std::size_t>(components);
                const double v = values[i];
                accessor.minValues[k] = i < 3 ? v : std::min(accessor.minValues[k], v);
                accessor.maxValues[k] = i < 3 ? v : std::max(accessor.maxValues[k], v);
            }
        }
        model_.accessors.push_back(accessor);
        return static_cast<int>(model_.accessors.size() - 1);
    }

    int AddIndices(const ModelMesh& mesh) {
        tinygltf::Accessor accessor;
        accessor.count = mesh.indices.size();
        accessor.type = TINYGLTF_TYPE_SCALAR;
        // Most glyphs have fewer than 65536 vertices; their indices take half the room.
        if (mesh.VertexCount() <= 0xFFFF) {
            std::vector<uint16_t> shorts(mesh.indices.begin(), mesh.indices.end());
            accessor.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT;
            accessor.bufferView =
                AddView(shorts.data(), shorts.size() * sizeof(uint16_t), kElementArrayBuffer);
        } else {
            accessor.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
            accessor.bufferView = AddView(
                mesh.indices.data(), mesh.indices.size() * sizeof(uint32_t), kElementArrayBuffer);
        }
        model_.accessors.push_back(accessor);
        return static_cast<int>(model_.accessors.size() - 1);
    }

    const Geometry& GeometryOf(uint32_t meshIndex, bool textured) {
        Geometry& g = geometries_[meshIndex];
        const ModelMesh& mesh = scene_.meshes[meshIndex];
        if (g.positions < 0) {
            g.positions = AddAccessor(mesh.positions, 3, TINYGLTF_TYPE_VEC3, true);
            g.normals = AddAccessor(mesh.normals, 3, TINYGLTF_TYPE_VEC3, false);
            g.indices = AddIndices(mesh);
        }
        // Only meshes that carry a texture get coordinates: nothing else would read them.
        if (textured && g.texcoords < 0 && mesh.texcoords.size() == mesh.VertexCount() * 2) {
            g.texcoords = AddAccessor(mesh.texcoords, 2, TINYGLTF_TYPE_VEC2, false);
        }
        return g;
    }

    int AddTexture(int texture) {
        if (auto it = textures_.find(texture); it != textures_.end()) {
            return it->second;
        }
        const ModelTexture& t = scene_.textures[static_cast<std::size_t>(texture)];
        // Rows in the order GL received them, so (s, t) reads the same texel as in the view.
        const std::vector<uint8_t> png = EncodePng(t.texels.data(), t.width, t.height, t.channels);
        tinygltf::Image image;
        image.mimeType = "image/png";
        image.bufferView = AddView(png.data(), png.size(), 0);
        model_.images.push_back(image);
        if (model_.samplers.empty()) {
            tinygltf::Sampler sampler;
            sampler.magFilter = kLinear;
            sampler.minFilter = kLinear;
            sampler.wrapS = kRepeat;
            sampler.wrapT = kRepeat;
            model_.samplers.push_back(sampler);
        }
        tinygltf::Texture gltfTexture;
        gltfTexture.source = static_cast<int>(model_.images.size() - 1);
        gltfTexture.sampler = 0;
        model_.textures.push_back(gltfTexture);
        const int index = static_cast<int>(model_.textures.size() - 1);
        textures_.emplace(texture, index);
        return index;
    }

    int AddMaterial(const ModelObject& object) {
        for (std::size_t i = 0; i < materials_.size(); ++i) {
            if (materials_[i].first == object.material && materials_[i].second == object.texture) {
                return static_cast<int>(i);
            }
        }
        const ModelMaterial& m = object.material;
        tinygltf::Material material;
        material.name = "material" + std::to_string(materials_.size());
        auto& pbr = material.pbrMetallicRoughness;
        pbr.baseColorFactor = {m.diffuse[0], m.diffuse[1], m.diffuse[2], 1.0};
        pbr.metallicFactor = m.metallic;
        pbr.roughnessFactor = m.roughness;
        material.emissiveFactor = {m.emissive[0], m.emissive[1], m.emissive[2]};
        if (object.texture >= 0) {
            pbr.baseColorTexture.index = AddTexture(object.texture);
        }
        Object specular;
        specular["specularColorFactor"] = Numbers({m.specular[0], m.specular[1], m.specular[2]});
        material.extensions["KHR_materials_specular"] = tinygltf::Value(std::move(specular));
        UseExtension("KHR_materials_specular");
        model_.materials.push_back(material);
        materials_.emplace_back(m, object.texture);
        return static_cast<int>(model_.materials.size() - 1);
    }

    int MeshFor(uint32_t meshIndex, int material, bool textured) {
        const auto key = std::make_pair(meshIndex, material);
        if (auto it = meshes_.find(key); it != meshes_.end()) {
            return it->second;
        }
        const Geometry& g = GeometryOf(meshIndex, textured);
        tinygltf::Primitive primitive;
        primitive.attributes["POSITION"] = g.positions;
        primitive.attributes["NORMAL"] = g.normals;
        if (textured && g.texcoords >= 0) {
            primitive.attributes["TEXCOORD_0"] = g.texcoords;
        }
        primitive.indices = g.indices;
        primitive.material = material;
        primitive.mode = TINYGLTF_MODE_TRIANGLES;
        tinygltf::Mesh mesh;
        mesh.primitives.push_back(primitive);
        model_.meshes.push_back(mesh);
        const int index = static_cast<int>(model_.meshes.size() - 1);
        meshes_.emplace(key, index);
        return index;
    }

    int AddObject(const ModelObject& object) {
        const int material = AddMaterial(object);
        const bool textured = object.texture >= 0;
        tinygltf::Node node;
        node.name = object.name;
        node.matrix.assign(object.transform.begin(), object.transform.end());
        for (const ModelGlyph& glyph : object.glyphs) {
            if (scene_.meshes[glyph.mesh].indices.empty()) {
                continue;  // a space: the pen moves, nothing is drawn
            }
            tinygltf::Node child;
            child.mesh = MeshFor(glyph.mesh, material, textured);
            if (glyph.advance != 0.0f || glyph.rise != 0.0f) {
                child.translation = {glyph.advance, glyph.rise, 0.0};
            }
            if (glyph.sideways) {
                child.rotation = {0.0, 0.0, -std::sqrt(0.5), std::sqrt(0.5)};  // -90° about z
            }
            model_.nodes.push_back(child);
            node.children.push_back(static_cast<int>(model_.nodes.size() - 1));
        }
        model_.nodes.push_back(node);
        return static_cast<int>(model_.nodes.size() - 1);
    }

    // The view's one light, so a viewer lights the text from the same side.
    int AddLight() {
        const auto& l = scene_.light;
        const double length =
            std::sqrt(double{l[0]} * l[0] + double{l[1]} * l[1] + double{l[2]} * l[2]);
        tinygltf::Light light;
        light.name = "light";
        light.color = {1.0, 1.0, 1.0};
        tinygltf::Node node;
        node.name = "light";
        if (l[3] != 0.0f) {
            light.type = "point";
            // Without falloff in the view, the light at the scene's middle is as bright as there.
            light.intensity = std::max(1.0, length * length);
            node.translation = {l[0] / l[3], l[1] / l[3], l[2] / l[3]};
        } else {
            light.type = "directional";
            light.intensity = 1.0;
            // Shines along -z of its node: turn +z onto the direction towards the light.
            if (length > 0.0) {
                const double ux = l[0] / length, uy = l[1] / length, uz = l[2] / length;
                if (uz < -0.999999) {
                    node.rotation = {1.0, 0.0, 0.0, 0.0};
                } else {
                    const double w = 1.0 + uz;
                    const double n = std::sqrt(uy * uy + ux * ux + w * w);
                    node.rotation = {-uy / n, ux / n, 0.0, w / n};
                }
            }
        }
        model_.lights.push_back(light);
        Object reference;
        reference["light"] = tinygltf::Value(0);
        node.extensions["KHR_lights_punctual"] = tinygltf::Value(std::move(reference));
        model_.nodes.push_back(node);
        return static_cast<int>(model_.nodes.size() - 1);
    }

    // The view's camera, so a viewer opens the scene framed as the program shows it. The aspect
    // ratio is left to the viewer's window, as the view takes its own.
    int AddCamera() {
        const ModelCamera& c = scene_.camera;
        tinygltf::Camera camera;
        camera.name = "view";
        camera.type = "perspective";
        camera.perspective.yfov = std::clamp(c.fieldOfViewRadians, 1e-3, 3.1);
        camera.perspective.znear = c.zNear;
        camera.perspective.zfar = c.zFar;
        model_.cameras.push_back(camera);
        tinygltf::Node node;
        node.name = "view";
        node.camera = static_cast<int>(model_.cameras.size() - 1);
        node.translation.assign(c.eye.begin(), c.eye.end());
        node.rotation = LookRotation(c.eye, c.target);
        model_.nodes.push_back(node);
        return static_cast<int>(model_.nodes.size() - 1);
    }

    // The unit quaternion (x, y, z, w) turning a glTF camera, which looks along -z with +y up,
    // to look from eye at target with +y up as the view's look-at does.
    static std::vector<double> LookRotation(const std::array<double, 3>& eye,
                                            const std::array<double, 3>& target) {
        std::array<double, 3> f{target[0] - eye[0], target[1] - eye[1], target[2] - eye[2]};
        if (!Normalise(f)) {
            return {0.0, 0.0, 0.0, 1.0};
        }
        std::array<double, 3> s{-f[2], 0.0, f[0]};  // f x (0, 1, 0)
        if (!Normalise(s)) {
            s = {1.0, 0.0, 0.0};  // looking straight up or down: keep x to the right
        }
        const std::array<double, 3> u{s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2],
                                      s[0] * f[1] - s[1] * f[0]};
        // Columns of the rotation: s, u, -f.
        const double m00 = s[0], m01 = u[0], m02 = -f[0];
        const double m10 = s[1], m11 = u[1], m12 = -f[1];
        const double m20 = s[2], m21 = u[2], m22 = -f[2];
        const double trace = m00 + m11 + m22;
        std::vector<double> q(4);
        if (trace > 0.0) {
            const double r = 2.0 * std::sqrt(1.0 + trace);
            q = {(m21 - m12) / r, (m02 - m20) / r, (m10 - m01) / r, r / 4.0};
        } else if (m00 > m11 && m00 > m22) {
            const double r = 2.0 * std::sqrt(1.0 + m00 - m11 - m22);
            q = {r / 4.0, (m01 + m10) / r, (m02 + m20) / r, (m21 - m12) / r};
        } else if (m11 > m22) {
            const double r = 2.0 * std::sqrt(1.0 + m11 - m00 - m22);
            q = {(m01 + m10) / r, r / 4.0, (m12 + m21) / r, (m02 - m20) / r};
        } else {
            const double r = 2.0 * std::sqrt(1.0 + m22 - m00 - m11);
            q = {(m02 + m20) / r, (m12 + m21) / r, r / 4.0, (m10 - m01) / r};
        }
        return q;
    }

    static bool Normalise(std::array<double, 3>& v) {
        const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        if (!(length > 1e-12)) {
            return false;
        }
        for (double& k : v) {
            k /= length;
        }
        return true;
    }

    void UseExtension(const std::string& name) {
        auto& used = model_.extensionsUsed;
        if (std::find(used.begin(), used.end(), name) == used.end()) {
            used.push_back(name);
        }
    }

    const ModelScene& scene_;
    tinygltf::Model model_;
    std::map<uint32_t, Geometry> geometries_;
    std::map<int, int> textures_;
    std::vector<std::pair<ModelMaterial, int>> materials_;
    std::map<std::pair<uint32_t, int>, int> meshes_;
};

}  // namespace

bool WriteGlb(const ModelScene& scene, const std::string& path) {
    TemporaryFile file(path);
    if (!file.IsOpen()) {
        return false;
    }
    try {
        tinygltf::Model model = GlbBuilder(scene).Build();
        bool written = false;
        {
            std::ofstream out(file.path(), std::ios::binary | std::ios::trunc);
            tinygltf::TinyGLTF gltf;
            written = out && gltf.WriteGltfSceneToStream(&model, out, false, true);
            out.flush();
            written = written && out.good();
        }
        return written && file.Commit();
    } catch (...) {
        // The library's JSON layer throws (out of memory among others).
        return false;
    }
}
