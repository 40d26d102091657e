#include "export/model_assembly.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>

#include "formats/bmp_reader.h"
#include "formats/texture_path.h"
#include "resources/texts.h"
#include "scene/cp932.h"
#include "scene/surface_material.h"
#include "text/glyph_layout.h"
#include "text/placed_glyph_union.h"

namespace {

void Rotate(ModelMatrix& m, double degrees, int axis) {
    const double r = degrees * M_PI / 180.0;
    const double c = std::cos(r), s = std::sin(r);
    ModelMatrix rotation = IdentityMatrix();
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
    rotation[a * 4 + a] = c;
    rotation[a * 4 + b] = s;
    rotation[b * 4 + a] = -s;
    rotation[b * 4 + b] = c;
    m = Multiply(m, rotation);
}

// The glyph's mesh shares vertices already; its texture coordinates are the glyph's own x and y,
// which is what the view's object-linear generation gives.
ModelMesh Indexed(const GlyphMesh& glyph) {
    ModelMesh mesh;
    for (const MeshVertex& v : glyph.vertices) {
        mesh.positions.insert(mesh.positions.end(), v.position, v.position + 3);
        mesh.normals.insert(mesh.normals.end(), v.normal, v.normal + 3);
        mesh.texcoords.insert(mesh.texcoords.end(), v.texCoord, v.texCoord + 2);
    }
    mesh.indices = glyph.indices;
    return mesh;
}

// The view draws every textured text in white with this shininess; the picture is the base colour.
constexpr float kTexturedShininess = 128.0f;

ModelMaterial MaterialOf(const TextObject& object, bool textured) {
    const SurfaceMaterial surface = ResolveSurface(object);
    ModelMaterial m;
    if (textured) {
        m.diffuse = m.specular = m.ambient = {1.0f, 1.0f, 1.0f, 1.0f};
        m.shininess = kTexturedShininess;
    } else {
        std::copy(surface.baseColour, surface.baseColour + 4, m.diffuse.begin());
        std::copy(object.specular, object.specular + 4, m.specular.begin());
        std::copy(object.ambient, object.ambient + 4, m.ambient.begin());
        m.shininess = object.shininess;
    }
    m.metallic = surface.metallic;
    m.roughness =
        object.surface.roughness == 0 ? RoughnessFromShininess(m.shininess) : surface.roughness;
    std::copy(surface.emissive, surface.emissive + 3, m.emissive.begin());
    return m;
}

class Assembler {
  public:
    Assembler(GlyphSource& glyphs, std::string_view sceneFile, MessageSink& messages,
              ModelScene& out)
        : glyphs_(glyphs), sceneFile_(sceneFile), messages_(messages), out_(out) {}

    // united: neighbours whose outlines may meet become one solid, as a printer needs them.
    void Add(const TextObject& object, bool united) {
        if (object.Text().empty()) {
            return;
        }
        // Laid out again here, as the view lays it out, so the scene's glyphs need not be built.
        auto laid = std::make_unique<TextObject>(object);
        laid->ClearGlyphs();
        GlyphLayout(glyphs_).Place(*laid);
        const ResolvedFont* font = glyphs_.ObjectFont(object);
        ModelObject model;
        const std::optional<std::string> name = Cp932ToUtf8(object.Text());
        model.name = name ? *name : "text " + std::to_string(object.index + 1);
        const BevelSettings shape = object.bevel.Active() ? object.bevel : BevelSettings{};
        if (!united && font != nullptr && shape.Active()) {
            glyphs_.outlines().PrepareInsets(*font, *laid, shape);
        }
        float pen = 0.0f;
        std::vector<Placed> run;
        for (int32_t i = 0; i < laid->glyphCount; ++i) {
            const GlyphId glyph = GlyphId::OfObjectGlyph(*laid, i);
            std::shared_ptr<const GlyphOutline> outline;
            if (font != nullptr && !glyph.IsNone()) {
                outline = glyphs_.outlines().Outline(*font, glyph);
            }
            if (outline) {
                const GlyphPlacement place =
                    laid->typeset ? laid->glyphPlacements[i] : GlyphPlacement{pen, 0.0f, false};
                const Placed placed{glyph, outline, place};
                if (!united) {
                    model.glyphs.push_back({MeshOf(*font, placed, object.scale[2], shape), place.x,
                                            place.y, place.sideways});
                } else if (!run.empty() && !Meets(run, placed)) {
                    AddRun(*font, run, object.scale[2], shape, model);
                    run = {placed};
                } else {
                    run.push_back(placed);
                }
            }
            pen += laid->glyphMetrics[i].gmfCellIncX;
        }
        if (!run.empty()) {
            AddRun(*font, run, object.scale[2], shape, model);
        }
        model.transform = ObjectTransform(object, laid->textWidth, laid->textBottom);
        model.texture = TextureOf(object);
        model.material = MaterialOf(object, model.texture >= 0);
        out_.objects.push_back(std::move(model));
    }

  private:
    struct Placed {
        GlyphId glyph;
        std::shared_ptr<const GlyphOutline> outline;
        GlyphPlacement place;
        // Along the glyph's own baseline, which runs down a column when it lies sideways.
        float Pen() const { return place.sideways ? -place.y : place.x; }
        float Baseline() const { return place.sideways ? place.x : place.y; }
        float Left() const { return Pen() + outline->metrics.gmfptGlyphOrigin.x; }
        float Right() const { return Left() + outline->metrics.gmfBlackBoxX; }
    };

    // Whether the glyph's box reaches back into the run's (touching counts), and the run stays
    // short enough for the union's grid. Only glyphs on one baseline, turned alike, are united.
    static bool Meets(const std::vector<Placed>& run, const Placed& next) {
        constexpr float kMaxRunEm = 32.0f;
        const Placed& first = run.front();
        if (next.place.sideways != first.place.sideways || next.Baseline() != first.Baseline()) {
            return false;
        }
        float right = run.front().Right();
        for (const Placed& p : run) {
            right = std::max(right, p.Right());
        }
        return next.Left() <= right && next.Right() - run.front().Left() < kMaxRunEm;
    }

    // One solid for the run; each glyph on its own should the union fail.
    void AddRun(const ResolvedFont& font, const std::vector<Placed>& run, float depth,
                const BevelSettings& shape, ModelObject& model) {
        if (run.size() > 1) {
            std::vector<PlacedFace> faces;
            for (const Placed& p : run) {
                faces.push_back({&p.outline->face, p.Pen()});
            }
            const GlyphPlacement& origin = run.front().place;
            const FaceTriangulation face = UnitePlacedFaces(faces, run.front().Pen());
            if (face.ok) {
                out_.meshes.push_back(Indexed(BuildSolid(face, depth, shape)));
                model.glyphs.push_back({static_cast<uint32_t>(out_.meshes.size() - 1), origin.x,
                                        origin.y, origin.sideways});
                return;
            }
        }
        for (const Placed& p : run) {
            model.glyphs.push_back(
                {MeshOf(font, p, depth, shape), p.place.x, p.place.y, p.place.sideways});
        }
    }

    uint32_t MeshOf(const ResolvedFont& font, const Placed& glyph, float depth,
                    const BevelSettings& shape) {
        // Objects without a bevel share their solids whatever their unused bevel fields hold.
        const auto key =
            std::make_tuple(font.id, glyph.glyph.Bits(), depth, static_cast<int>(shape.profile),
                            shape.width, shape.depth, BevelSteps(shape), shape.backToo);
        if (auto it = meshes_.find(key); it != meshes_.end()) {
            return it->second;
        }
        out_.meshes.push_back(
            Indexed(glyphs_.outlines().Solid(font, glyph.glyph, *glyph.outline, depth, shape)));
        const auto index = static_cast<uint32_t>(out_.meshes.size() - 1);
        meshes_.emplace(key, index);
        return index;
    }

    // The file the object names, read again: the picture the view shows came from it.
    int TextureOf(const TextObject& object) {
        const std::string_view cp932 = object.TextureFile();
        if (cp932.size() < 3) {
            return -1;
        }
        const std::string key(cp932);
        if (auto it = textures_.find(key); it != textures_.end()) {
            return it->second;
        }
        const BmpResult bmp = ReadBmpFile(TextureFileSystemPath(cp932, sceneFile_), kBmpRgb);
        int index = -1;
        if (bmp.status != BmpStatus::kOk) {
            // Said once per file, as the view says it when the scene opens.
            messages_.ShowMessage(BmpFailureMessage(bmp), texts::kBmpCaption, MessageOwner::kNone);
        } else {
            ModelTexture texture;
            texture.width = bmp.image.width;
            texture.height = bmp.image.height;
            texture.channels = bmp.image.channels;
            texture.texels = std::move(bmp.image.texels);
            out_.textures.push_back(std::move(texture));
            index = static_cast<int>(out_.textures.size() - 1);
        }
        textures_.emplace(key, index);
        return index;
    }

    GlyphSource& glyphs_;
    std::string_view sceneFile_;
    MessageSink& messages_;
    ModelScene& out_;
    std::map<std::tuple<uint32_t, uint32_t, float, int, float, float, int, bool>, uint32_t> meshes_;
    std::unordered_map<std::string, int> textures_;
};

}  // namespace

ModelMatrix ObjectTransform(const TextObject& object, float textWidth, float textBottom) {
    const float* p = object.position;
    const float* s = object.scale;
    ModelMatrix m = IdentityMatrix();
    m[12] = p[0];
    m[13] = p[1];
    m[14] = p[2];
    for (int axis = 0; axis < 3; ++axis) {
        Rotate(m, object.rotation[axis], axis);
    }
    ModelMatrix shift = IdentityMatrix();
    shift[12] = -(double{textWidth} * s[0]) / 2.0;
    shift[13] = -double{textBottom};
    shift[0] = s[0];
    shift[5] = s[1];
    return Multiply(m, shift);
}

ModelScene AssembleModelScene(const Scene& scene, GlyphSource& glyphs, MessageSink& messages,
                              GlyphJoin join) {
    ModelScene out;
    std::copy(scene.light.position, scene.light.position + 4, out.light.begin());
    const ViewState& view = scene.view;
    const std::array<float, 3> eye = view.Eye();
    std::copy(eye.begin(), eye.end(), out.camera.eye.begin());
    std::copy(view.target, view.target + 3, out.camera.target.begin());
    out.camera.fieldOfViewRadians = view.perspective * kFieldOfViewDegrees * M_PI / 180.0;
    out.camera.zNear = kNearPlane;
    out.camera.zFar = kViewFarPlane;
    Assembler assembler(glyphs, scene.FilePath(), messages, out);
    for (const TextObject& object : scene.objects) {
        assembler.Add(object, join == GlyphJoin::kUnited);
    }
    return out;
}

ModelExportStatus ExportSceneModel(const Scene& scene, GlyphSource& glyphs, const std::string& path,
                                   double sizeMm, MessageSink& messages) {
    const std::optional<ModelFormat> format = ModelFormatOfPath(path);
    if (!format) {
        return ModelExportStatus::kUnknownType;
    }
    return ExportSceneModel(scene, glyphs, path, *format, sizeMm, messages);
}

ModelExportStatus ExportSceneModel(const Scene& scene, GlyphSource& glyphs, const std::string& path,
                                   ModelFormat format, double sizeMm, MessageSink& messages) {
    // A slicer needs solids that do not overlap; in GLB and OBJ each character stays its own
    // part, to be moved or recoloured one by one in an editor.
    const ModelScene model = AssembleModelScene(
        scene, glyphs, messages, IsPrintFormat(format) ? GlyphJoin::kUnited : GlyphJoin::kApart);
    if (model.objects.empty()) {
        return ModelExportStatus::kEmptyScene;
    }
    return WriteModel(format, model, path, sizeMm) ? ModelExportStatus::kOk
                                                   : ModelExportStatus::kCannotWrite;
}
