#pragma once
// What the dialogs that add, edit or delete objects need of the program around them, so that
// they never see its window class.

#include <wx/window.h>

#include <string>

#include "dialogs/user_prompts.h"
#include "render/glyph_builder.h"
#include "scene/message_sink.h"
#include "scene/scene.h"

class DocumentHost {
  public:
    virtual ~DocumentHost() = default;
    // The window the dialogs belong to.
    virtual wxWindow* window() = 0;
    virtual Scene& scene() = 0;
    virtual UserPrompts& prompts() = 0;
    virtual MessageSink& messages() = 0;
    // Builds glyph lists in the view's context (call EnsureViewReady first).
    virtual GlyphBuilder& glyphs() = 0;
    // Glyph lists are made and freed only in the view's context: this makes it current.
    virtual bool EnsureViewReady() = 0;
    virtual void InvalidateView() = 0;
    virtual void EnableObjectButtons() = 0;
    virtual void DisableObjectButtons() = 0;
};

// "<text>　を削除してよろしいですか？" for the object's text.
std::string DeleteObjectQuestion(const TextObject& object);
