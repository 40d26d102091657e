#pragma once
// A scene file made ready for drawing without a window, as opening it in the window would: for
// the picture and animation commands, in an offscreen context that is current.

#include <ostream>
#include <string>
#include <string_view>

#include "formats/scene_file.h"
#include "formats/texture_pictures.h"
#include "render/render_cache.h"
#include "render/renderer.h"
#include "scene/message_sink.h"
#include "text/glyph_layout.h"

// Prints what the glyph layout and the texture loader would show in message boxes.
class StreamMessages : public MessageSink {
  public:
    explicit StreamMessages(std::ostream& out) : out_(out) {}
    void ShowMessage(std::string_view text, std::string_view caption, MessageOwner) override {
        out_ << "vellumark: ";
        if (!caption.empty()) {
            out_ << caption << ": ";
        }
        out_ << text << '\n';
    }

  private:
    std::ostream& out_;
};

// As the window opens a file: what was lost is said once, and textures named relative to the
// scene are looked for beside it (a path the scene's CP932 field cannot hold leaves them to the
// current folder).
SceneFileStatus ReadScene(const std::string& path, Scene& scene, MessageSink& messages);

// The cache's lists and textures live in the offscreen context and go before it does.
class LoadedScene {
  public:
    explicit LoadedScene(MessageSink& messages) : messages_(messages) {}
    LoadedScene(const LoadedScene&) = delete;
    LoadedScene& operator=(const LoadedScene&) = delete;

    // As opening the file in the window does: scene settings, glyphs, textures.
    SceneFileStatus Load(const std::string& path);

  private:
    MessageSink& messages_;
    GlyphSource source_;
    TexturePictures pictures_;
    GlyphLayout glyphs_{source_};
    RenderCache cache_{source_, pictures_};

  public:
    Scene scene;
    Renderer renderer{scene, cache_};
};
