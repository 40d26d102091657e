#pragma once
// What the dialogs that add, edit or delete objects need of the program around them, so that
// they never see its window class.

#include <wx/window.h>

#include <string>

#include "dialogs/user_prompts.h"
#include "formats/texture_pictures.h"
#include "scene/message_sink.h"
#include "scene/scene.h"
#include "text/glyph_layout.h"

class DocumentHost {
  public:
    virtual ~DocumentHost() = default;
    // The window the dialogs belong to.
    virtual wxWindow* window() = 0;
    virtual Scene& scene() = 0;
    virtual UserPrompts& prompts() = 0;
    virtual MessageSink& messages() = 0;
    // Lays out the objects' glyphs; the views draw them at their next paint.
    virtual GlyphLayout& glyphs() = 0;
    virtual TexturePictures& pictures() = 0;
    virtual void InvalidateView() = 0;
    virtual void EnableObjectButtons() = 0;
    virtual void DisableObjectButtons() = 0;
};

// "<text>　を削除してよろしいですか？" for the object's text.
std::string DeleteObjectQuestion(const TextObject& object);
