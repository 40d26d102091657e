#pragma once
// The scene as the 3D model writers take it: each text's characters solid in glyph units, where
// the layout puts them, under the transform the renderer draws the object with. No GL: the meshes
// come from the outlines, so this works with or without a window.

#include <string>

#include "formats/model_scene.h"
#include "formats/model_writers.h"
#include "scene/message_sink.h"
#include "scene/scene.h"
#include "text/glyph_source.h"

// Glyph units to world, in the renderer's order: translate p, rotate x then y then z, translate
// (-W * s.x / 2, -B, 0), scale (s.x, s.y, 1).
ModelMatrix ObjectTransform(const TextObject& object, float textWidth, float textBottom);

enum class GlyphJoin {
    kApart,   // a solid per character
    kUnited,  // characters whose outlines meet or overlap make one solid
};

// Every slot with text, in slot order. Each text is laid out again from its outlines, so the
// scene's glyphs need not have been built. A texture that cannot be read is reported to
// messages and the object goes without it; relative texture paths are looked for beside the
// scene's file first.
ModelScene AssembleModelScene(const Scene& scene, GlyphSource& glyphs, MessageSink& messages,
                              GlyphJoin join = GlyphJoin::kApart);

enum class ModelExportStatus {
    kOk,
    kUnknownType,  // the name ends in none of .glb, .3mf, .stl, .obj
    kEmptyScene,   // no text to export
    kCannotWrite,
};

// path is a file-system path; sizeMm applies to 3MF and STL. The type is the name's extension.
ModelExportStatus ExportSceneModel(const Scene& scene, GlyphSource& glyphs, const std::string& path,
                                   double sizeMm, MessageSink& messages);
// The same in the type given, whatever the name.
ModelExportStatus ExportSceneModel(const Scene& scene, GlyphSource& glyphs, const std::string& path,
                                   ModelFormat format, double sizeMm, MessageSink& messages);
