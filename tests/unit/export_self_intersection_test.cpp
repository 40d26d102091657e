// Exported solids read back as a slicer reads them (STL floats, 3MF through lib3mf, OBJ as
// written) hold no pair of triangles crossing each other at any print size.
#include <Model/COM/NMR_DLLInterfaces.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "export/model_assembly.h"
#include "scene/cp932.h"
#include "support/recording_sink.h"
#include "support/self_intersections.h"
#include "support/test_glyphs.h"

namespace {

namespace fs = std::filesystem;

TriangleSoup ReadStl(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TriangleSoup soup;
    uint32_t count = 0;
    if (bytes.size() >= 84) {
        std::memcpy(&count, bytes.data() + 80, 4);
    }
    for (uint32_t t = 0; t < count && 84 + 50 * (t + 1) <= bytes.size(); ++t) {
        const auto first = static_cast<uint32_t>(soup.points.size());
        for (int k = 0; k < 3; ++k) {
            float p[3];
            std::memcpy(p, bytes.data() + 84 + 50 * t + 12 + 12 * k, sizeof p);
            soup.points.push_back({p[0], p[1], p[2]});
        }
        soup.triangles.push_back({first, first + 1, first + 2});
    }
    return soup;
}

// Also counts the groups, one per character.
TriangleSoup ReadObj(const std::string& path, std::size_t& groups) {
    std::ifstream in(path);
    TriangleSoup soup;
    groups = 0;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        groups += kind == "g" ? 1 : 0;
        if (kind == "v") {
            std::array<double, 3>& p = soup.points.emplace_back();
            words >> p[0] >> p[1] >> p[2];
        } else if (kind == "f") {
            std::array<uint32_t, 3>& t = soup.triangles.emplace_back();
            for (uint32_t& corner : t) {
                std::string vertex;
                words >> vertex;
                corner = static_cast<uint32_t>(std::stoul(vertex) - 1);
            }
        }
    }
    return soup;
}

// Every mesh object of the file in one soup: objects share no corners, so stay separate solids.
TriangleSoup Read3mf(const std::string& path) {
    TriangleSoup soup;
    NMR::PLib3MFModel* model = nullptr;
    NMR::PLib3MFModelReader* reader = nullptr;
    NMR::PLib3MFModelResourceIterator* meshes = nullptr;
    if (NMR::lib3mf_createmodel(&model) != 0) {
        return soup;
    }
    if (NMR::lib3mf_model_queryreader(model, "3mf", &reader) == 0 &&
        NMR::lib3mf_reader_readfromfileutf8(reader, path.c_str()) == 0 &&
        NMR::lib3mf_model_getmeshobjects(model, &meshes) == 0) {
        BOOL more = false;
        while (NMR::lib3mf_resourceiterator_movenext(meshes, &more) == 0 && more) {
            NMR::PLib3MFModelResource* mesh = nullptr;
            NMR::lib3mf_resourceiterator_getcurrent(meshes, &mesh);
            DWORD vertices = 0, triangles = 0;
            NMR::lib3mf_meshobject_getvertexcount(mesh, &vertices);
            NMR::lib3mf_meshobject_gettrianglecount(mesh, &triangles);
            std::vector<NMR::MODELMESHVERTEX> v(vertices);
            std::vector<NMR::MODELMESHTRIANGLE> t(triangles);
            NMR::lib3mf_meshobject_getvertices(mesh, v.data(), vertices, nullptr);
            NMR::lib3mf_meshobject_gettriangleindices(mesh, t.data(), triangles, nullptr);
            const auto first = static_cast<uint32_t>(soup.points.size());
            for (const auto& p : v) {
                soup.points.push_back({p.m_fPosition[0], p.m_fPosition[1], p.m_fPosition[2]});
            }
            for (const auto& i : t) {
                soup.triangles.push_back(
                    {first + i.m_nIndices[0], first + i.m_nIndices[1], first + i.m_nIndices[2]});
            }
            NMR::lib3mf_release(mesh);
        }
        NMR::lib3mf_release(meshes);
    }
    if (reader != nullptr) {
        NMR::lib3mf_release(reader);
    }
    NMR::lib3mf_release(model);
    return soup;
}

// Lines of 16 characters of the benchmark text in IPAMincho, each bevelled as given, and the
// six hard kanji below them; characters counts them.
Scene HardText(const BevelSettings& bevel, std::size_t& characters) {
    std::ifstream in(VELLUMARK_TEST_DATA "/../../bench/data/chars127.txt", std::ios::binary);
    std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    utf8.erase(utf8.find_last_not_of("\r\n") + 1);
    std::vector<std::string> lines;
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++count) {
        if (count % 16 == 0) {
            lines.emplace_back();
        }
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        lines.back() += utf8.substr(i, length);
        i += length;
    }
    lines.push_back("鬱髪驚識曜議");
    characters = count + 6;
    Scene scene;
    for (std::size_t row = 0; row < lines.size(); ++row) {
        TextObject& o = scene.objects[row];
        o.SetText(*Utf8ToCp932(lines[row]));
        o.SetFont("IPAMincho", 0, 128);
        o.SetPosition(0.0f, -1.2f * static_cast<float>(row), 0.0f);
        o.SetScale(1.0f, 1.0f, 0.3f);
        o.bevel = bevel;
    }
    return scene;
}

TEST(ExportedSolids, NoTrianglesCrossWithinASolidAtAnyPrintSizeOrFormat) {
    const fs::path folder = fs::temp_directory_path() / ("vm-crossing-" + std::to_string(getpid()));
    fs::create_directories(folder);
    RecordingSink messages;
    const BevelSettings flat;
    const BevelSettings round{BevelProfile::kRound, 0.02f, 0.02f, 4, true};
    for (const BevelSettings& bevel : {flat, round}) {
        std::size_t characters = 0;
        const Scene scene = HardText(bevel, characters);
        // The extremes of rounding: six decimals of a small print, floats of a large one.
        for (double size : {1.0, 10000.0}) {
            for (const char* extension : {".stl", ".3mf", ".obj"}) {
                if (extension[1] == 'o' && size != 1.0) {
                    continue;  // written in the scene's units whatever the print size
                }
                const std::string path = (folder / ("text" + std::string(extension))).string();
                ASSERT_EQ(ExportSceneModel(scene, TestGlyphs(), path, size, messages),
                          ModelExportStatus::kOk);
                std::size_t groups = characters;
                const TriangleSoup soup = extension[1] == 's'   ? ReadStl(path)
                                          : extension[1] == '3' ? Read3mf(path)
                                                                : ReadObj(path, groups);
                EXPECT_EQ(groups, characters);
                EXPECT_GT(soup.triangles.size(), 50000u) << extension;
                EXPECT_EQ(SelfIntersectingPairs(soup), 0u)
                    << extension << " at " << size << " mm, "
                    << (bevel.Active() ? "bevelled" : "flat");
            }
        }
    }
    fs::remove_all(folder);
}

}  // namespace
