#include <Model/COM/NMR_DLLInterfaces.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "formats/file_descriptors.h"
#include "formats/model_writers.h"
#include "formats/replace_file.h"

namespace {

// Releases a lib3mf instance when it goes out of scope.
class Handle {
  public:
    Handle() = default;
    ~Handle() {
        if (p_ != nullptr) {
            NMR::lib3mf_release(p_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    NMR::PLib3MFBase** Out() { return &p_; }
    NMR::PLib3MFBase* Get() const { return p_; }

  private:
    NMR::PLib3MFBase* p_ = nullptr;
};

struct PositionHash {
    std::size_t operator()(const std::array<float, 3>& p) const {
        uint32_t bits[3];
        std::memcpy(bits, p.data(), sizeof bits);
        return (std::size_t{bits[0]} * 73856093u) ^ (std::size_t{bits[1]} * 19349663u) ^
               (std::size_t{bits[2]} * 83492791u);
    }
};

// 3MF names a triangle's corners by vertex: corners that only differ by normal or texture
// coordinate must become one vertex, or the solid would read as open along every crease.
void Weld(const ModelMesh& mesh, std::vector<NMR::MODELMESHVERTEX>& vertices,
          std::vector<NMR::MODELMESHTRIANGLE>& triangles) {
    std::unordered_map<std::array<float, 3>, uint32_t, PositionHash> seen;
    std::vector<uint32_t> remap(mesh.VertexCount());
    for (std::size_t v = 0; v < mesh.VertexCount(); ++v) {
        const std::array<float, 3> p{mesh.positions[v * 3], mesh.positions[v * 3 + 1],
                                     mesh.positions[v * 3 + 2]};
        auto [it, added] = seen.emplace(p, static_cast<uint32_t>(vertices.size()));
        if (added) {
            vertices.push_back({{p[0], p[1], p[2]}});
        }
        remap[v] = it->second;
    }
    for (std::size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
        triangles.push_back(
            {{remap[mesh.indices[t]], remap[mesh.indices[t + 1]], remap[mesh.indices[t + 2]]}});
    }
}

std::array<uint8_t, 3> DisplayColour(const ModelScene& scene, const ModelObject& object) {
    std::array<double, 3> c{object.material.diffuse[0], object.material.diffuse[1],
                            object.material.diffuse[2]};
    if (object.texture >= 0) {
        // The view shows a textured text white times its picture: its mean colour, then.
        const ModelTexture& t = scene.textures[static_cast<std::size_t>(object.texture)];
        const std::size_t texels = static_cast<std::size_t>(t.width) * t.height;
        c = {0.0, 0.0, 0.0};
        for (std::size_t i = 0; i < texels; ++i) {
            for (int k = 0; k < 3; ++k) {
                c[k] += t.texels[i * t.channels + k] / 255.0;
            }
        }
        for (double& k : c) {
            k = texels > 0 ? k / static_cast<double>(texels) : 1.0;
        }
    }
    std::array<uint8_t, 3> out{};
    for (int k = 0; k < 3; ++k) {
        out[k] = static_cast<uint8_t>(std::lround(std::clamp(c[k], 0.0, 1.0) * 255.0));
    }
    return out;
}

bool AddObject(NMR::PLib3MFModel* model, NMR::PLib3MFModelBaseMaterial* materials,
               DWORD materialGroup, const ModelScene& scene, const ModelObject& object,
               const ModelMatrix& print) {
    std::vector<NMR::MODELMESHVERTEX> vertices;
    std::vector<NMR::MODELMESHTRIANGLE> triangles;
    Weld(WorldMesh(scene, object, print), vertices, triangles);
    if (triangles.empty()) {
        return true;
    }
    const std::array<uint8_t, 3> colour = DisplayColour(scene, object);
    DWORD material = 0;
    Handle mesh, properties, item;
    return NMR::lib3mf_basematerial_addmaterialutf8(materials, object.name.c_str(), colour[0],
                                                    colour[1], colour[2], &material) == 0 &&
           // The library leaves a new material's alpha at zero: readers would show it clear.
           NMR::lib3mf_basematerial_setdisplaycolorrgba(materials, material, colour[0], colour[1],
                                                        colour[2], 0xFF) == 0 &&
           NMR::lib3mf_model_addmeshobject(model, mesh.Out()) == 0 &&
           NMR::lib3mf_object_setnameutf8(mesh.Get(), object.name.c_str()) == 0 &&
           NMR::lib3mf_meshobject_setgeometry(mesh.Get(), vertices.data(),
                                              static_cast<DWORD>(vertices.size()), triangles.data(),
                                              static_cast<DWORD>(triangles.size())) == 0 &&
           NMR::lib3mf_object_createdefaultpropertyhandler(mesh.Get(), properties.Out()) == 0 &&
           NMR::lib3mf_defaultpropertyhandler_setbasematerial(properties.Get(), materialGroup,
                                                              material) == 0 &&
           NMR::lib3mf_model_addbuilditem(model, mesh.Get(), nullptr, item.Out()) == 0;
}

// Where the library's bytes go. A failed write is kept here and never told to the library: its
// package writer throws from a destructor while the first error unwinds, which ends the process.
struct FileStream {
    int fd = -1;
    uint64_t position = 0;
    bool failed = false;
};

uint32_t WriteChunk(uint8_t* data, uint32_t size, void* user) {
    auto* stream = static_cast<FileStream*>(user);
    stream->failed = stream->failed || !WriteAllAt(stream->fd, data, size, stream->position);
    stream->position += size;
    return 0;
}

uint32_t Seek(uint64_t position, void* user) {
    static_cast<FileStream*>(user)->position = position;
    return 0;
}

bool BuildAndWrite(const ModelScene& scene, int fd, double sizeMm) {
    Handle model, materials, writer;
    DWORD materialGroup = 0;
    if (NMR::lib3mf_createmodel(model.Out()) != 0 ||
        NMR::lib3mf_model_setunit(model.Get(), NMR::MODELUNIT_MILLIMETER) != 0 ||
        NMR::lib3mf_model_addbasematerialgroup(model.Get(), materials.Out()) != 0 ||
        NMR::lib3mf_basematerial_getresourceid(materials.Get(), &materialGroup) != 0) {
        return false;
    }
    const ModelMatrix print = PrintMatrix(scene, sizeMm);
    for (const ModelObject& object : scene.objects) {
        if (!AddObject(model.Get(), materials.Get(), materialGroup, scene, object, print)) {
            return false;
        }
    }
    FileStream stream{fd};
    return NMR::lib3mf_model_querywriter(model.Get(), "3mf", writer.Out()) == 0 &&
           NMR::lib3mf_writer_writetocallback(writer.Get(), reinterpret_cast<void*>(WriteChunk),
                                              reinterpret_cast<void*>(Seek), &stream) == 0 &&
           !stream.failed;
}

}  // namespace

bool Write3mf(const ModelScene& scene, const std::string& path, double sizeMm) {
    TemporaryFile file(path);
    try {
        return file.IsOpen() && BuildAndWrite(scene, file.fd(), sizeMm) && file.Commit();
    } catch (...) {
        // The library throws where it could return an error (running out of memory).
        return false;
    }
}
