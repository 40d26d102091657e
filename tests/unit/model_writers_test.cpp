#include "formats/model_writers.h"

#include <Model/COM/NMR_DLLInterfaces.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string kChecker = std::string(VELLUMARK_TEST_DATA) + "/../export/check_model.mjs";

// A 1 x 1 x 0.5 box from (0, 0, -0.5), corners split per face as the glyph meshes split creases.
ModelMesh Box() {
    ModelMesh m;
    const float faces[6][4][3] = {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},              // +z
                                  {{0, 0, -.5f}, {0, 1, -.5f}, {1, 1, -.5f}, {1, 0, -.5f}},  // -z
                                  {{0, 0, 0}, {0, 1, 0}, {0, 1, -.5f}, {0, 0, -.5f}},        // -x
                                  {{1, 0, 0}, {1, 0, -.5f}, {1, 1, -.5f}, {1, 1, 0}},        // +x
                                  {{0, 0, 0}, {0, 0, -.5f}, {1, 0, -.5f}, {1, 0, 0}},        // -y
                                  {{0, 1, 0}, {1, 1, 0}, {1, 1, -.5f}, {0, 1, -.5f}}};       // +y
    const float normals[6][3] = {{0, 0, 1}, {0, 0, -1}, {-1, 0, 0},
                                 {1, 0, 0}, {0, -1, 0}, {0, 1, 0}};
    for (int f = 0; f < 6; ++f) {
        const auto first = static_cast<uint32_t>(m.VertexCount());
        for (const auto& p : faces[f]) {
            m.positions.insert(m.positions.end(), p, p + 3);
            m.normals.insert(m.normals.end(), normals[f], normals[f] + 3);
            m.texcoords.insert(m.texcoords.end(), {p[0], p[1]});
        }
        m.indices.insert(m.indices.end(),
                         {first, first + 1, first + 2, first, first + 2, first + 3});
    }
    return m;
}

// Two texts of boxes: one turned, stretched and moved, the other textured.
ModelScene TwoObjects() {
    ModelScene scene;
    scene.meshes.push_back(Box());
    ModelObject turned;
    turned.name = "日本語";
    const double c = std::cos(0.5), s = std::sin(0.5);
    turned.transform = {2 * c, 2 * s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0.25, -1, 3, 1};
    turned.material.diffuse = {1.0f, 0.2f, 0.0f, 1.0f};
    turned.material.specular = {0.5f, 0.5f, 0.5f, 1.0f};
    turned.material.shininess = 20.0f;
    turned.glyphs = {{0, 0.0f}, {0, 1.5f}};
    ModelObject textured;
    textured.name = "tex";
    textured.transform = IdentityMatrix();
    textured.transform[14] = -2.0;
    textured.texture = 0;
    textured.glyphs = {{0, 0.0f}};
    scene.objects = {turned, textured};
    ModelTexture texture;
    texture.width = 8;
    texture.height = 16;
    for (int i = 0; i < 8 * 16; ++i) {
        texture.texels.insert(texture.texels.end(), {uint8_t(i), uint8_t(255 - i), 40});
    }
    scene.textures.push_back(texture);
    return scene;
}

std::string RunCommand(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return output;
    }
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    status = pclose(pipe);
    return output;
}

class ModelWriters : public ::testing::Test {
  protected:
    std::string Path(const char* name) const { return (folder_ / name).string(); }

    // The outside checker, told the bounds our own transforms give and the camera's figures.
    void ExpectCheckerAccepts(const std::string& file, const ModelBounds& b,
                              const std::vector<double>& camera = {}) {
        ASSERT_TRUE(fs::exists(fs::path(kChecker).parent_path() / "node_modules"))
            << "the checkers are installed by make test (npm install in tests/export)";
        std::ostringstream command;
        command.precision(9);
        command << "node " << kChecker << " " << file;
        for (double v : {b.min[0], b.min[1], b.min[2], b.max[0], b.max[1], b.max[2]}) {
            command << " " << v;
        }
        for (double v : camera) {
            command << " " << v;
        }
        int status = 0;
        const std::string output = RunCommand(command.str(), status);
        EXPECT_EQ(status, 0) << output;
    }

    TempFolder folder_{"vm-models"};
};

TEST_F(ModelWriters, GlbPassesTheValidatorAndLoadsInThreeWithTheSceneBoundsAndCamera) {
    ModelScene scene = TwoObjects();
    scene.camera.eye = {3.0, 2.0, -4.0};
    scene.camera.target = {0.5, -0.25, 1.0};
    scene.camera.fieldOfViewRadians = M_PI / 5.0;
    ASSERT_TRUE(WriteGlb(scene, Path("two.glb")));
    ExpectCheckerAccepts(Path("two.glb"), SceneBounds(scene), {3, 2, -4, 0.5, -0.25, 1, 36});
}

TEST_F(ModelWriters, ObjLoadsInThreeWithTheSceneBoundsBesideItsMaterialsAndTexture) {
    const ModelScene scene = TwoObjects();
    ASSERT_TRUE(WriteObj(scene, Path("two.obj")));
    ExpectCheckerAccepts(Path("two.obj"), SceneBounds(scene));
    std::ifstream mtl(Path("two.mtl"));
    const std::string text((std::istreambuf_iterator<char>(mtl)), {});
    EXPECT_NE(text.find("Kd 1 0.2 0"), std::string::npos) << text;
    EXPECT_NE(text.find("map_Kd two-0.png"), std::string::npos) << text;
    int status = 0;
    // ImageMagick decodes the picture: the texture's size, its first stored row at the bottom.
    const std::string size = RunCommand(
        "convert " + Path("two-0.png") + " -crop 1x1+0+15 -format '%w %h %[pixel:p{0,0}]' info:",
        status);
    EXPECT_EQ(size, "1 1 srgb(0,255,40)") << size;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 3);
}

// The number after "label ... :" in admesh's report (its first column: the original file).
double AdmeshFigure(const std::string& report, const std::string& label) {
    const std::size_t at = report.find(label);
    const std::size_t colon = at == std::string::npos ? at : report.find_first_of(":=", at);
    return colon == std::string::npos ? -1.0 : std::atof(report.c_str() + colon + 1);
}

TEST_F(ModelWriters, StlIsClosedToAdmeshAndSizedInMillimetres) {
    const ModelScene scene = TwoObjects();
    ASSERT_TRUE(WriteStl(scene, Path("two.stl"), 80.0));
    int status = 0;
    const std::string report = RunCommand("admesh " + Path("two.stl"), status);
    ASSERT_EQ(status, 0) << report;
    for (const char* label :
         {"Total disconnected facets", "Degenerate facets", "Edges fixed", "Facets removed",
          "Facets added", "Facets reversed", "Backwards edges", "Normals fixed"}) {
        EXPECT_EQ(AdmeshFigure(report, label), 0.0) << label << "\n" << report;
    }
    EXPECT_EQ(AdmeshFigure(report, "Number of parts"), 3.0) << report;
    EXPECT_GT(AdmeshFigure(report, "Volume"), 0.0) << report;
    // Lying on the origin, its largest extent the size asked for.
    double largest = 0.0;
    for (const char* axis : {"X", "Y", "Z"}) {
        EXPECT_NEAR(AdmeshFigure(report, std::string("Min ") + axis), 0.0, 1e-4) << report;
        largest = std::max(largest, AdmeshFigure(report, std::string("Max ") + axis));
    }
    EXPECT_NEAR(largest, 80.0, 1e-3);
}

TEST_F(ModelWriters, ThreeMfReadsBackWithNamesTrianglesAndManifoldSolids) {
    const ModelScene scene = TwoObjects();
    ASSERT_TRUE(Write3mf(scene, Path("two.3mf"), kDefaultPrintSizeMm));
    NMR::PLib3MFModel* model = nullptr;
    NMR::PLib3MFModelReader* reader = nullptr;
    NMR::PLib3MFModelResourceIterator* meshes = nullptr;
    ASSERT_EQ(NMR::lib3mf_createmodel(&model), 0);
    ASSERT_EQ(NMR::lib3mf_model_queryreader(model, "3mf", &reader), 0);
    ASSERT_EQ(NMR::lib3mf_reader_readfromfileutf8(reader, Path("two.3mf").c_str()), 0);
    ASSERT_EQ(NMR::lib3mf_model_getmeshobjects(model, &meshes), 0);
    std::vector<std::pair<std::string, DWORD>> read;
    BOOL more = false;
    while (NMR::lib3mf_resourceiterator_movenext(meshes, &more) == 0 && more) {
        NMR::PLib3MFModelResource* mesh = nullptr;
        ASSERT_EQ(NMR::lib3mf_resourceiterator_getcurrent(meshes, &mesh), 0);
        char name[64] = {};
        ULONG needed = 0;
        DWORD triangles = 0;
        BOOL manifold = false;
        NMR::lib3mf_object_getnameutf8(mesh, name, sizeof name, &needed);
        NMR::lib3mf_meshobject_gettrianglecount(mesh, &triangles);
        NMR::lib3mf_meshobject_ismanifoldandoriented(mesh, &manifold);
        EXPECT_TRUE(manifold) << name;
        read.emplace_back(name, triangles);
        NMR::lib3mf_release(mesh);
    }
    NMR::lib3mf_release(meshes);
    // Every colour opaque, the first one the object's own.
    NMR::PLib3MFModelResourceIterator* groups = nullptr;
    ASSERT_EQ(NMR::lib3mf_model_getbasematerials(model, &groups), 0);
    std::vector<std::array<BYTE, 4>> colours;
    while (NMR::lib3mf_resourceiterator_movenext(groups, &more) == 0 && more) {
        NMR::PLib3MFModelResource* group = nullptr;
        ASSERT_EQ(NMR::lib3mf_resourceiterator_getcurrent(groups, &group), 0);
        DWORD count = 0;
        NMR::lib3mf_basematerial_getcount(group, &count);
        for (DWORD i = 0; i < count; ++i) {
            std::array<BYTE, 4> c{};
            NMR::lib3mf_basematerial_getdisplaycolor(group, i, &c[0], &c[1], &c[2], &c[3]);
            colours.push_back(c);
        }
        NMR::lib3mf_release(group);
    }
    NMR::lib3mf_release(groups);
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_EQ(colours[0], (std::array<BYTE, 4>{255, 51, 0, 255}));
    EXPECT_EQ(colours[1][3], 255);
    NMR::lib3mf_release(reader);
    NMR::lib3mf_release(model);
    const std::vector<std::pair<std::string, DWORD>> expected{{"日本語", 24}, {"tex", 12}};
    EXPECT_EQ(read, expected);
}

TEST_F(ModelWriters, FailedRenameLeavesNoFileBehind) {
    const ModelScene scene = TwoObjects();
    // A folder where the file (or the OBJ's material file) should go refuses the rename.
    for (const char* taken : {"a.glb", "a.3mf", "a.stl", "a.mtl"}) {
        fs::create_directory(folder_ / taken);
    }
    for (const char* name : {"a.glb", "a.3mf", "a.stl", "a.obj"}) {
        EXPECT_FALSE(WriteModel(*ModelFormatOfPath(name), scene, Path(name), 100.0)) << name;
    }
    for (const auto& entry : fs::directory_iterator(folder_.path())) {
        EXPECT_TRUE(entry.is_directory()) << entry.path();
    }
}

}  // namespace
