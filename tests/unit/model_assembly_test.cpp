#include "export/model_assembly.h"

#include <Model/COM/NMR_DLLInterfaces.h>
#include <gtest/gtest.h>
#include <tiny_gltf.h>
#include <unistd.h>

#include <clipper.hpp>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "../support/bmp_samples.h"
#include "formats/bmp_reader.h"
#include "scene/cp932.h"
#include "support/closed_solid.h"
#include "support/command_output.h"
#include "support/recording_sink.h"
#include "support/temp_folder.h"
#include "support/test_glyphs.h"

namespace {

namespace fs = std::filesystem;

class ModelExport : public ::testing::Test {
  protected:
    std::string Path(const char* name) const { return (folder_ / name).string(); }

    // Kanji, kana and Latin; upright and synthetic oblique; turned and stretched.
    void ComposeLogo() {
        const char* texts[] = {"東京の空へ", "Vellumark ロゴ"};
        for (int i = 0; i < 2; ++i) {
            TextObject& o = scene_.objects[i];
            const float k = static_cast<float>(i);
            o.SetText(*Utf8ToCp932(texts[i]));
            o.SetPosition(0.5f * k, 1.2f * k, -0.4f * k);
            o.SetRotation(25.0f * k, -35.0f, 10.0f);
            o.SetScale(1.4f, 0.7f, 0.25f + 0.1f * k);
            o.italic = i;
        }
        // The outside checkers see a bevelled solid too.
        scene_.objects[1].bevel = {BevelProfile::kRound, 0.03f, 0.02f, 3, true};
    }

    Scene scene_;
    RecordingSink messages_;
    TempFolder folder_{"vm-export"};
};

TEST_F(ModelExport, RealGlyphSolidsAreClosedToAdmeshAndLib3mf) {
    ComposeLogo();
    const ModelScene model =
        AssembleModelScene(scene_, TestGlyphs(), messages_, GlyphJoin::kUnited);
    ASSERT_EQ(model.objects.size(), 2u);
    std::vector<std::size_t> triangles;
    for (const ModelObject& object : model.objects) {
        triangles.push_back(0);
        for (const ModelGlyph& glyph : object.glyphs) {
            triangles.back() += model.meshes[glyph.mesh].TriangleCount();
        }
    }

    ASSERT_EQ(ExportSceneModel(scene_, TestGlyphs(), Path("logo.stl"), 100.0, messages_),
              ModelExportStatus::kOk);
    int status = 0;
    const std::string report = CommandOutput("admesh " + Path("logo.stl"), status);
    ASSERT_EQ(status, 0) << report;
    EXPECT_EQ(AdmeshFigure(report, "Number of facets"),
              static_cast<double>(triangles[0] + triangles[1]));
    for (const char* label :
         {"Total disconnected facets", "Degenerate facets", "Edges fixed", "Facets removed",
          "Facets added", "Facets reversed", "Backwards edges"}) {
        EXPECT_EQ(AdmeshFigure(report, label), 0.0) << label << "\n" << report;
    }

    ASSERT_EQ(ExportSceneModel(scene_, TestGlyphs(), Path("logo.3mf"), 100.0, messages_),
              ModelExportStatus::kOk);
    NMR::PLib3MFModel* read = nullptr;
    NMR::PLib3MFModelReader* reader = nullptr;
    NMR::PLib3MFModelResourceIterator* meshes = nullptr;
    ASSERT_EQ(NMR::lib3mf_createmodel(&read), 0);
    ASSERT_EQ(NMR::lib3mf_model_queryreader(read, "3mf", &reader), 0);
    ASSERT_EQ(NMR::lib3mf_reader_readfromfileutf8(reader, Path("logo.3mf").c_str()), 0);
    ASSERT_EQ(NMR::lib3mf_model_getmeshobjects(read, &meshes), 0);
    std::vector<std::size_t> readTriangles;
    BOOL more = false;
    while (NMR::lib3mf_resourceiterator_movenext(meshes, &more) == 0 && more) {
        NMR::PLib3MFModelResource* mesh = nullptr;
        ASSERT_EQ(NMR::lib3mf_resourceiterator_getcurrent(meshes, &mesh), 0);
        DWORD count = 0;
        BOOL manifold = false;
        NMR::lib3mf_meshobject_gettrianglecount(mesh, &count);
        NMR::lib3mf_meshobject_ismanifoldandoriented(mesh, &manifold);
        EXPECT_TRUE(manifold);
        readTriangles.push_back(count);
        NMR::lib3mf_release(mesh);
    }
    NMR::lib3mf_release(meshes);
    NMR::lib3mf_release(reader);
    NMR::lib3mf_release(read);
    EXPECT_EQ(readTriangles, triangles);
}

TEST_F(ModelExport, RealGlyphsPassTheValidatorAndLoadInThreeWithTheSceneBoundsAndView) {
    ComposeLogo();
    // From the right and 30 degrees above, 6 away: the eye at (6 cos 30, 6 sin 30, 0).
    scene_.view.azimuth = static_cast<float>(M_PI / 2.0);
    scene_.view.elevation = static_cast<float>(-M_PI / 6.0);
    scene_.view.eyeDistance = 6.0f;
    scene_.view.target[0] = 0.5f;
    scene_.view.perspective = 0.8f;
    ASSERT_EQ(ExportSceneModel(scene_, TestGlyphs(), Path("logo.glb"), 100.0, messages_),
              ModelExportStatus::kOk);
    const ModelBounds b = SceneBounds(AssembleModelScene(scene_, TestGlyphs(), messages_));
    const std::string checker = std::string(VELLUMARK_TEST_DATA) + "/../export/check_model.mjs";
    char command[1024];
    std::snprintf(command, sizeof command,
                  "node %s %s %.9g %.9g %.9g %.9g %.9g %.9g 5.196152 3 0 0.5 0 0 40",
                  checker.c_str(), Path("logo.glb").c_str(), b.min[0], b.min[1], b.min[2], b.max[0],
                  b.max[1], b.max[2]);
    int status = 0;
    const std::string output = CommandOutput(command, status);
    EXPECT_EQ(status, 0) << output;
}

// glTF reads texture coordinates from the image's first row down; GL from the first row it was
// given. Read back by tinygltf, the picture's rows and each vertex's coordinates must be those.
TEST_F(ModelExport, TexturedTextKeepsTheViewsObjectLinearCoordinatesAndTexels) {
    const std::vector<uint8_t> bmp = bmp_samples::Make24(16, 8, [](int x, int y) {
        return bmp_samples::Rgb{uint8_t(x * 16), uint8_t(y * 32), uint8_t(200 - x - y)};
    });
    std::ofstream(Path("wall.bmp"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    TextObject& o = scene_.objects[3];
    o.SetText(*Utf8ToCp932("空a"));
    o.SetRotation(0.0f, 40.0f, 0.0f);
    ASSERT_TRUE(o.SetTextureFile(*Utf8ToCp932(Path("wall.bmp"))));
    ASSERT_EQ(ExportSceneModel(scene_, TestGlyphs(), Path("wall.glb"), 100.0, messages_),
              ModelExportStatus::kOk);

    tinygltf::Model model;
    std::string error, warning;
    tinygltf::TinyGLTF loader;
    ASSERT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, Path("wall.glb"))) << error;
    ASSERT_EQ(model.images.size(), 1u);
    const BmpImage view = ReadBmpFile(Path("wall.bmp"), kBmpRgb).image;
    const tinygltf::Image& image = model.images[0];
    ASSERT_EQ(image.width, view.width);
    ASSERT_EQ(image.height, view.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                ASSERT_EQ(image.image[(y * image.width + x) * image.component + c],
                          view.texels[(y * view.width + x) * 3 + c])
                    << x << "," << y;
            }
        }
    }
    auto floats = [&model](int accessor) {
        const tinygltf::Accessor& a = model.accessors[accessor];
        const tinygltf::BufferView& v = model.bufferViews[a.bufferView];
        return reinterpret_cast<const float*>(model.buffers[v.buffer].data.data() + v.byteOffset +
                                              a.byteOffset);
    };
    std::size_t checked = 0;
    for (const tinygltf::Mesh& mesh : model.meshes) {
        for (const tinygltf::Primitive& p : mesh.primitives) {
            ASSERT_EQ(p.attributes.count("TEXCOORD_0"), 1u);
            const float* position = floats(p.attributes.at("POSITION"));
            const float* uv = floats(p.attributes.at("TEXCOORD_0"));
            for (std::size_t i = 0; i < model.accessors[p.attributes.at("POSITION")].count; ++i) {
                ASSERT_EQ(uv[i * 2], position[i * 3]);
                ASSERT_EQ(uv[i * 2 + 1], position[i * 3 + 1]);
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 100u);
    EXPECT_EQ(model.meshes.size(), 2u);  // one per character
}

// Bold italic f reaches into its neighbours. For print the overlapping characters become one solid:
// the flat text's volume is then the area of the outlines' union times the depth, where apart
// it counts the overlaps twice; admesh finds the bevelled union closed.
TEST_F(ModelExport, OverlappingNeighboursPrintAsOneSolid) {
    const char* text = "lflflflf";
    for (int i = 0; i < 2; ++i) {
        TextObject& o = scene_.objects[i];
        o.SetText(text);
        o.SetFont("DejaVu Serif", 1, 0);
        o.SetPosition(0.0f, 2.0f * static_cast<float>(i), 0.0f);
        o.SetScale(1.0f, 1.0f, 0.2f);
    }
    scene_.objects[1].bevel = {BevelProfile::kRound, 0.03f, 0.02f, 4, true};
    const ModelScene united =
        AssembleModelScene(scene_, TestGlyphs(), messages_, GlyphJoin::kUnited);
    const ModelScene apart = AssembleModelScene(scene_, TestGlyphs(), messages_);
    ASSERT_EQ(apart.objects[0].glyphs.size(), std::strlen(text));
    EXPECT_LT(united.objects[0].glyphs.size(), apart.objects[0].glyphs.size());

    constexpr double kGrid = 1 << 20;
    ClipperLib::Clipper clipper;
    for (const ModelGlyph& glyph : apart.objects[0].glyphs) {
        const ModelMesh& mesh = apart.meshes[glyph.mesh];
        for (std::size_t t = 0; t < mesh.indices.size(); t += 3) {
            ClipperLib::Path triangle;
            for (int k = 0; k < 3; ++k) {
                const float* p = &mesh.positions[3 * mesh.indices[t + k]];
                if (p[2] != 0.0f) {
                    break;  // front-face triangles only
                }
                triangle.emplace_back(std::llround((p[0] + glyph.advance) * kGrid),
                                      std::llround(p[1] * kGrid));
            }
            if (triangle.size() == 3) {
                clipper.AddPath(triangle, ClipperLib::ptSubject, true);
            }
        }
    }
    ClipperLib::Paths area;
    ASSERT_TRUE(clipper.Execute(ClipperLib::ctUnion, area, ClipperLib::pftNonZero));
    double unionArea = 0.0;
    for (const ClipperLib::Path& ring : area) {
        unionArea += ClipperLib::Area(ring) / (kGrid * kGrid);
    }
    auto volume = [](const ModelScene& scene, const ModelObject& object) {
        double sum = 0.0;
        for (const ModelGlyph& glyph : object.glyphs) {
            GlyphMesh mesh;
            const ModelMesh& m = scene.meshes[glyph.mesh];
            for (std::size_t v = 0; v < m.VertexCount(); ++v) {
                MeshVertex vertex{};
                std::copy(&m.positions[3 * v], &m.positions[3 * v + 3], vertex.position);
                std::copy(&m.normals[3 * v], &m.normals[3 * v + 3], vertex.normal);
                mesh.vertices.push_back(vertex);
            }
            mesh.indices = m.indices;
            const SolidFaults faults = InspectSolid(mesh);
            EXPECT_TRUE(faults.Closed()) << faults;
            sum += faults.volume;
        }
        return sum;
    };
    const double unitedVolume = volume(united, united.objects[0]);
    EXPECT_NEAR(unitedVolume, unionArea * 0.2, 1e-6 * unitedVolume);
    EXPECT_LT(unitedVolume, 0.999 * volume(apart, apart.objects[0]));
    volume(united, united.objects[1]);

    ASSERT_EQ(ExportSceneModel(scene_, TestGlyphs(), Path("ffi.stl"), 100.0, messages_),
              ModelExportStatus::kOk);
    int status = 0;
    const std::string report = CommandOutput("admesh " + Path("ffi.stl"), status);
    ASSERT_EQ(status, 0) << report;
    for (const char* label : {"Total disconnected facets", "Degenerate facets", "Edges fixed",
                              "Facets reversed", "Backwards edges"}) {
        EXPECT_EQ(AdmeshFigure(report, label), 0.0) << label << "\n" << report;
    }
}

TEST_F(ModelExport, NamesOfNoKnownTypeAndEmptyScenesAreRefused) {
    EXPECT_EQ(ExportSceneModel(scene_, TestGlyphs(), Path("a.glb"), 100.0, messages_),
              ModelExportStatus::kEmptyScene);
    ComposeLogo();
    EXPECT_EQ(ExportSceneModel(scene_, TestGlyphs(), Path("a.gltf"), 100.0, messages_),
              ModelExportStatus::kUnknownType);
    EXPECT_TRUE(fs::is_empty(folder_));
}

}  // namespace
