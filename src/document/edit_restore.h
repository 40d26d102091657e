#pragma once
// Brings the scene to one side of a recorded edit and lays out again only what the values leave
// different: the glyphs of a slot whose text, font or depth changed, the texture of a slot whose
// path changed. Needs no GL: the views follow at their next paint.

#include "formats/texture_pictures.h"
#include "scene/edit_history.h"
#include "scene/message_sink.h"
#include "text/glyph_layout.h"

// What the views must set anew besides drawing the scene: the projection, when the background or
// the perspective changed.
struct RestoredEdit {
    bool projectionChanged = false;
};

RestoredEdit RestoreEdit(Scene& scene, GlyphLayout& glyphs, TexturePictures& pictures,
                         const EditHistory::Move& move, MessageSink& messages);
