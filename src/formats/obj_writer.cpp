#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "formats/file_descriptors.h"
#include "formats/model_writers.h"
#include "formats/path_names.h"
#include "formats/png_writer.h"
#include "formats/replace_file.h"
#include "scene/surface_material.h"

namespace {

class Text {
  public:
    Text& operator<<(const std::string& s) {
        out_ += s;
        return *this;
    }
    Text& operator<<(const char* s) {
        out_ += s;
        return *this;
    }
    Text& operator<<(char c) {
        out_ += c;
        return *this;
    }
    // Shortest text that reads back as the same float: millions of numbers stay quick.
    Text& operator<<(float v) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
        out_.append(buffer, result.ptr);
        return *this;
    }
    Text& operator<<(std::size_t v) {
        char buffer[24];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
        out_.append(buffer, result.ptr);
        return *this;
    }
    std::string& Bytes() { return out_; }

  private:
    std::string out_;
};

// Both files name things on one line each; a name stays on its line.
std::string OneLine(const std::string& name) {
    std::string out = name;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20) {
            c = ' ';
        }
    }
    return out;
}

std::string WithoutExtension(const std::string& path) {
    return path.substr(0, ExtensionDot(path));
}

std::string BaseName(const std::string& path) {
    return path.substr(FileNameStart(path));
}

bool WriteBytes(std::FILE* file, const std::string& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Every file of one export is written beside its target first and put in place together.
using Staged = std::vector<std::unique_ptr<TemporaryFile>>;

TemporaryFile* Stage(const std::string& target, Staged& staged) {
    staged.push_back(std::make_unique<TemporaryFile>(target));
    return staged.back()->IsOpen() ? staged.back().get() : nullptr;
}

bool Stage(const std::string& target, const uint8_t* data, std::size_t size, Staged& staged) {
    const TemporaryFile* file = Stage(target, staged);
    return file != nullptr && WriteAllAt(file->fd(), data, size, 0);
}

std::string TextureFileName(const std::string& stem, int texture) {
    return BaseName(stem) + "-" + std::to_string(texture) + ".png";
}

// The classic shininess when it is what gives this roughness, else the exponent that does.
float ShininessOf(float roughness, float classic) {
    if (RoughnessFromShininess(classic) == roughness) {
        return classic;
    }
    constexpr float kMaxExponent = 1000.0f;
    return std::min(kMaxExponent, 2.0f / (roughness * roughness) - 2.0f);
}

std::string MaterialLibrary(const ModelScene& scene, const std::string& stem,
                            std::vector<std::string>& textureFiles) {
    Text mtl;
    for (std::size_t i = 0; i < scene.objects.size(); ++i) {
        const ModelObject& object = scene.objects[i];
        const ModelMaterial& m = object.material;
        // A textured text shows white times its picture in the view.
        const bool textured = object.texture >= 0;
        const float* d = textured ? nullptr : m.diffuse.data();
        mtl << "newmtl material" << i << '\n';
        mtl << "Ka " << (textured ? 1.0f : m.ambient[0]) << ' ' << (textured ? 1.0f : m.ambient[1])
            << ' ' << (textured ? 1.0f : m.ambient[2]) << '\n';
        mtl << "Kd " << (d ? d[0] : 1.0f) << ' ' << (d ? d[1] : 1.0f) << ' ' << (d ? d[2] : 1.0f)
            << '\n';
        mtl << "Ks " << (textured ? 1.0f : m.specular[0]) << ' '
            << (textured ? 1.0f : m.specular[1]) << ' ' << (textured ? 1.0f : m.specular[2])
            << '\n';
        mtl << "Ns " << ShininessOf(m.roughness, textured ? 128.0f : m.shininess) << "\nillum 2\n";
        // The physically based extension lines, for readers that know them.
        mtl << "Pr " << m.roughness << "\nPm " << m.metallic << '\n';
        if (m.emissive != std::array<float, 3>{}) {
            mtl << "Ke " << m.emissive[0] << ' ' << m.emissive[1] << ' ' << m.emissive[2] << '\n';
        }
        if (textured) {
            const std::string file = TextureFileName(stem, object.texture);
            mtl << "map_Kd " << file << '\n';
            textureFiles.resize(scene.textures.size());
            textureFiles[static_cast<std::size_t>(object.texture)] = file;
        }
        mtl << '\n';
    }
    return mtl.Bytes();
}

void WriteMesh(const ModelMesh& mesh, bool textured, std::size_t& base, Text& obj) {
    const bool uv = textured && mesh.texcoords.size() == mesh.VertexCount() * 2;
    for (std::size_t v = 0; v < mesh.VertexCount(); ++v) {
        const float* p = &mesh.positions[v * 3];
        const float* n = &mesh.normals[v * 3];
        obj << "v " << p[0] << ' ' << p[1] << ' ' << p[2] << "\nvn " << n[0] << ' ' << n[1] << ' '
            << n[2] << '\n';
        if (uv) {
            obj << "vt " << mesh.texcoords[v * 2] << ' ' << mesh.texcoords[v * 2 + 1] << '\n';
        }
    }
    for (std::size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
        obj << 'f';
        for (int k = 0; k < 3; ++k) {
            const std::size_t index = base + mesh.indices[t + k];
            obj << ' ' << index << '/';
            if (uv) {
                obj << index;
            }
            obj << '/' << index;
        }
        obj << '\n';
    }
    base += mesh.VertexCount();
}

bool WriteGeometry(const ModelScene& scene, const std::string& mtlName, std::FILE* file) {
    Text obj;
    obj << "# Vellumark\nmtllib " << mtlName << '\n';
    std::size_t base = 1;
    for (std::size_t i = 0; i < scene.objects.size(); ++i) {
        const ModelObject& object = scene.objects[i];
        obj << "o " << OneLine(object.name) << "\nusemtl material" << i << '\n';
        // Characters stay apart for editing, each a group, as neighbours may overlap.
        for (std::size_t g = 0; g < object.glyphs.size(); ++g) {
            ModelObject glyph = object;
            glyph.glyphs = {object.glyphs[g]};
            obj << "g glyph" << g + 1 << '\n';
            WriteMesh(WorldMesh(scene, glyph, IdentityMatrix()), object.texture >= 0, base, obj);
        }
        if (!WriteBytes(file, obj.Bytes())) {
            return false;
        }
        obj.Bytes().clear();
    }
    return true;
}

}  // namespace

bool WriteObj(const ModelScene& scene, const std::string& path) {
    const std::string stem = WithoutExtension(path);
    Staged staged;
    std::vector<std::string> textureFiles;
    const std::string mtl = MaterialLibrary(scene, stem, textureFiles);
    bool ok =
        Stage(stem + ".mtl", reinterpret_cast<const uint8_t*>(mtl.data()), mtl.size(), staged);
    const std::string folder = path.substr(0, FileNameStart(path));
    for (std::size_t i = 0; ok && i < textureFiles.size(); ++i) {
        if (textureFiles[i].empty()) {
            continue;
        }
        const ModelTexture& t = scene.textures[i];
        // OBJ readers put a picture's first row at t = 1, GL's at t = 0: the rows go bottom up.
        std::vector<uint8_t> flipped(t.texels.size());
        const std::size_t row = static_cast<std::size_t>(t.width) * t.channels;
        for (int32_t y = 0; y < t.height; ++y) {
            std::copy_n(&t.texels[y * row], row, &flipped[(t.height - 1 - y) * row]);
        }
        const std::vector<uint8_t> png = EncodePng(flipped.data(), t.width, t.height, t.channels);
        ok = !png.empty() && Stage(folder + textureFiles[i], png.data(), png.size(), staged);
    }
    const TemporaryFile* model = ok ? Stage(path, staged) : nullptr;
    if (model != nullptr) {
        std::FILE* file = std::fopen(model->path().c_str(), "wb");
        ok = file != nullptr && WriteGeometry(scene, BaseName(stem) + ".mtl", file);
        ok = file != nullptr && std::fclose(file) == 0 && ok;
    }
    // The model last, so it never names a material file that is not yet there.
    return ok && model != nullptr && CommitTogether(staged);
}

std::vector<std::string> ObjCompanionFiles(const ModelScene& scene, const std::string& path) {
    const std::string stem = WithoutExtension(path);
    const std::string folder = path.substr(0, FileNameStart(path));
    std::vector<std::string> files{stem + ".mtl"};
    std::vector<bool> used(scene.textures.size(), false);
    for (const ModelObject& object : scene.objects) {
        if (object.texture >= 0 && !used[static_cast<std::size_t>(object.texture)]) {
            used[static_cast<std::size_t>(object.texture)] = true;
            files.push_back(folder + TextureFileName(stem, object.texture));
        }
    }
    return files;
}
