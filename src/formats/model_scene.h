#pragma once
// A scene handed to the 3D model writers as plain data: glyph meshes in glyph units, shared by
// every object that draws the same glyph, and per object its transform, material and layout.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Indexed triangles, counter-clockwise seen from outside. Three floats per position and
// normal, two per texture coordinate (one pair per vertex, or none at all).
struct ModelMesh {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<float> texcoords;
    std::vector<uint32_t> indices;

    std::size_t VertexCount() const { return positions.size() / 3; }
    std::size_t TriangleCount() const { return indices.size() / 3; }
};

// The classic colours, and the metallic-roughness surface the studio look shows, whose base colour
// is diffuse (a metal preset's own colour, or the object's diffuse).
struct ModelMaterial {
    std::array<float, 4> diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> specular{0.0f, 0.0f, 0.0f, 1.0f};
    std::array<float, 4> ambient{0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;
    float metallic = 0.0f;
    float roughness = 1.0f;
    std::array<float, 3> emissive{0.0f, 0.0f, 0.0f};
    bool operator==(const ModelMaterial& o) const {
        return diffuse == o.diffuse && specular == o.specular && ambient == o.ambient &&
               shininess == o.shininess && metallic == o.metallic && roughness == o.roughness &&
               emissive == o.emissive;
    }
};

// Texels exactly as the view hands them to GL: row 0 first, width texels a row, 3 or 4 bytes
// each. Texture coordinate (s, t) samples column s * width, row t * height, repeating.
struct ModelTexture {
    int32_t width = 0;
    int32_t height = 0;
    int channels = 3;
    std::vector<uint8_t> texels;
};

// One character of an object: a mesh drawn with its origin at (advance, rise, 0), turned a
// quarter clockwise about z when it lies sideways (Latin in a column).
struct ModelGlyph {
    uint32_t mesh = 0;
    float advance = 0.0f;
    float rise = 0.0f;
    bool sideways = false;
};

// Column-major 4 x 4, as GL keeps matrices.
using ModelMatrix = std::array<double, 16>;

struct ModelObject {
    std::string name;         // UTF-8
    ModelMatrix transform{};  // glyph units to world
    ModelMaterial material;
    int texture = -1;  // into ModelScene::textures
    std::vector<ModelGlyph> glyphs;
};

// The view's camera in world units: looking from eye at target with +y up, a vertical field of
// view, and the depths it draws between.
struct ModelCamera {
    std::array<double, 3> eye{0.0, 0.0, 5.0};
    std::array<double, 3> target{0.0, 0.0, 0.0};
    double fieldOfViewRadians = 0.8726646259971648;
    double zNear = 1.0;
    double zFar = 75.0;
};

struct ModelScene {
    std::vector<ModelMesh> meshes;
    std::vector<ModelTexture> textures;
    std::vector<ModelObject> objects;
    // As GL takes a light position: w = 0 a direction towards the light, w = 1 a point.
    std::array<float, 4> light{0.0f, 0.0f, 1.0f, 0.0f};
    ModelCamera camera;
};

ModelMatrix IdentityMatrix();
// The glyph's mesh to its object's glyph units.
ModelMatrix GlyphMatrix(const ModelGlyph& glyph);
ModelMatrix Multiply(const ModelMatrix& a, const ModelMatrix& b);
std::array<double, 3> TransformPoint(const ModelMatrix& m, const float* p);

// One object's glyphs as a single mesh in world units: every glyph placed by its matrix,
// then the transform applied, then `world`. Normals follow the inverse transpose; texture
// coordinates stay per glyph.
ModelMesh WorldMesh(const ModelScene& scene, const ModelObject& object, const ModelMatrix& world);

struct ModelBounds {
    std::array<double, 3> min{0.0, 0.0, 0.0};
    std::array<double, 3> max{0.0, 0.0, 0.0};
    bool empty = true;
};
// Of every object's vertices in world units.
ModelBounds SceneBounds(const ModelScene& scene);
