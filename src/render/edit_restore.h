#pragma once
// Brings the scene to one side of a recorded edit and rebuilds only what the values leave
// different: the glyph lists of a slot whose text, font or depth changed, the texture of a slot
// whose path changed, and the clear colour and projection. Needs the rendering context current.

#include "render/glyph_builder.h"
#include "render/renderer.h"
#include "scene/edit_history.h"
#include "scene/message_sink.h"

void RestoreEdit(Scene& scene, GlyphBuilder& glyphs, const EditHistory::Move& move,
                 MessageSink& messages);
