#pragma once
// Pictures of any size from the scene, as the view would show them at that size without its
// editing aids: drawn in tiles into a framebuffer object, each tile through its own part of the
// full projection, and handed to a sink row band by row band, so memory stays bounded.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "formats/image_sink.h"
#include "render/renderer.h"
#include "scene/studio_look.h"

struct PictureRequest {
    int32_t width = 800;
    int32_t height = 600;
    // 1: one plain pass (the view's far plane); 2, 3, 4, 8, 15, 24, 66: antialias passes.
    int level = 8;
    // Alpha 0 where nothing is drawn; the edges keep their colour (straight alpha).
    bool transparent = false;
    // How the scene is drawn; none: the look the scene is set to.
    std::optional<SceneLook> look;
    // Largest tile; 0 lets the renderer choose from its memory budget.
    int32_t maxTileWidth = 0;
    int32_t maxTileHeight = 0;
};

enum class PictureStatus { kOk, kCancelled, kNoFramebuffer, kCannotWrite };

// Called after each pass of each tile with the passes done and the total; false cancels.
using PictureProgress = std::function<bool(int64_t done, int64_t total)>;

// The channels a request's picture has: 4 when transparent, else 3.
inline int PictureChannels(const PictureRequest& request) {
    return request.transparent ? 4 : 3;
}

// Draws with the renderer's scene in the current context (its glyph lists and textures must
// live there) and writes every row to sink; does not call sink.Finish. The context's viewport,
// matrices, clear colour and framebuffer binding are as before when it returns.
PictureStatus RenderPicture(Renderer& renderer, const PictureRequest& request, ImageRowSink& sink,
                            const PictureProgress& progress = {});

// The same for many pictures of one request in a row (an animation's frames): the framebuffer,
// the buffers and the view's field of view are taken once, and the context's state is put back
// when it goes. The objects may move between pictures.
class PictureFrames {
  public:
    PictureFrames(Renderer& renderer, const PictureRequest& request);
    ~PictureFrames();
    PictureFrames(const PictureFrames&) = delete;
    PictureFrames& operator=(const PictureFrames&) = delete;

    // One picture of the scene as it is now, as RenderPicture draws it.
    PictureStatus Render(ImageRowSink& sink, const PictureProgress& progress = {});

  private:
    struct Tiles;

    Renderer& renderer_;
    PictureRequest request_;
    std::unique_ptr<Tiles> tiles_;  // none when no framebuffer could be made
};
