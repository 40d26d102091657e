#include "render/picture_render.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "render/antialias.h"
#include "render/offscreen_context.h"
#include "render/projection.h"
#include "render/studio/studio_renderer.h"
#include "render/viewport_pixels.h"

namespace {

// About 8 million pixels a tile: a 3840 x 2160 picture is one tile, larger ones are split.
constexpr int64_t kTilePixelBudget = 4096 * 2048;
constexpr int32_t kTileSideBudget = 4096;
// The band of finished rows spans the whole picture's width: for the widest pictures it, not the
// tile, decides the memory, so it sets the tiles' height there.
constexpr int64_t kBandByteBudget = int64_t{64} << 20;

struct Tile {
    int32_t x0, y0, width, height;  // picture pixels, from the top-left corner
};

// Equal parts of at most limit each.
int32_t PartSize(int32_t total, int32_t limit) {
    const int32_t parts = (total + limit - 1) / limit;
    return (total + parts - 1) / parts;
}

// Restores what the tiles change in a context that also serves a window.
class SavedState {
  public:
    SavedState() {
        glPushAttrib(GL_VIEWPORT_BIT | GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
    }
    ~SavedState() {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib();
    }
};

class TileRenderer {
  public:
    TileRenderer(Renderer& renderer, const PictureRequest& request)
        : renderer_(renderer), request_(request), table_(JitterTableFor(request.level)) {
        passes_ = table_.count > 0 ? table_.count : 1;
        const Scene& scene = renderer.scene();
        wantsStudio_ = request.look.value_or(scene.studio.look) == SceneLook::kStudio;
        const double farPlane = table_.count > 0 ? kPickFarPlane : kViewFarPlane;
        full_ = PerspectiveFrustum(scene.view.perspective * kFieldOfViewDegrees,
                                   static_cast<double>(request.width) / request.height, kNearPlane,
                                   farPlane);
    }

    int passes() const { return passes_; }

    // The studio look of the context when the request asks for it and the context can draw it;
    // its passes go to a sum of its own, finished by FinishStudio.
    StudioRenderer* studio() const { return studio_; }

    // Starts a tile: the studio look's shadow maps and sum are made for it.
    void BeginTile(const Tile& tile) {
        if (!wantsStudio_) {
            return;
        }
        glViewport(0, 0, tile.width, tile.height);
        renderer_.ApplyViewTransform();
        renderer_.PlaceLight();
        studio_ = renderer_.BeginStudio();
    }

    // Draws pass `pass` of the tile into the framebuffer's lower-left corner (into the studio
    // look's sum instead when it draws).
    void DrawPass(const Tile& tile, int pass) {
        FrustumPlanes f = full_;
        if (table_.count > 0) {
            // The jitter is a fraction of a picture pixel, whatever the tile.
            f = JitteredFrustum(full_, request_.width, request_.height, table_.offsets[pass].x,
                                table_.offsets[pass].y, 0.0, 0.0, 1.0);
        }
        const double w = f.right - f.left;
        const double h = f.top - f.bottom;
        const double left = f.left + w * tile.x0 / request_.width;
        const double right = f.left + w * (tile.x0 + tile.width) / request_.width;
        // GL counts rows from the bottom.
        const double top = f.top - h * tile.y0 / request_.height;
        const double bottom = f.top - h * (tile.y0 + tile.height) / request_.height;
        glViewport(0, 0, tile.width, tile.height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(left, right, bottom, top, f.zNear, f.zFar);
        glMatrixMode(GL_MODELVIEW);
        renderer_.ApplyViewTransform();
        renderer_.PlaceLight();
        if (studio_ != nullptr) {
            studio_->DrawPass(pass, 1.0f / static_cast<float>(passes_));
            return;
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        renderer_.DrawAllObjects(0, 0);
        if (renderer_.scene().shadow.enabled == 1) {
            renderer_.DrawShadows();
        }
    }

    // The studio look's mean of the tile's passes into the framebuffer.
    void FinishStudio() { studio_->Finish(request_.transparent, false); }

  private:
    Renderer& renderer_;
    const PictureRequest& request_;
    JitterTable table_;
    FrustumPlanes full_{};
    int passes_ = 1;
    bool wantsStudio_ = false;
    StudioRenderer* studio_ = nullptr;
};

// Reads the tile's pixels and adds them to the sums of its passes.
void AddTile(const Tile& tile, std::vector<uint8_t>& read, std::vector<uint16_t>& sums) {
    ReadFramebuffer(0, 0, tile.width, tile.height, 4, read.data());
    const std::size_t values = static_cast<std::size_t>(tile.width) * tile.height * 4;
    for (std::size_t i = 0; i < values; ++i) {
        sums[i] = static_cast<uint16_t>(sums[i] + read[i]);
    }
}

uint8_t Rounded(uint32_t numerator, uint32_t denominator) {
    const uint32_t value = (numerator * 2 + denominator) / (denominator * 2);
    return static_cast<uint8_t>(std::min<uint32_t>(value, 255));
}

// The mean of the passes into the band's columns of the tile, top row first. Transparent:
// the sums are premultiplied by coverage (the clear is black with alpha 0), so the colour is
// divided by the alpha sum to keep the edges' colour.
void StoreMean(const Tile& tile, const std::vector<uint16_t>& sums, int passes, bool transparent,
               int32_t pictureWidth, std::vector<uint8_t>& band) {
    const int channels = transparent ? 4 : 3;
    const uint32_t n = static_cast<uint32_t>(passes);
    for (int32_t row = 0; row < tile.height; ++row) {
        const uint16_t* in = sums.data() + static_cast<std::size_t>(row) * tile.width * 4;
        const std::size_t bandRow = static_cast<std::size_t>(tile.height - 1 - row);
        uint8_t* out = band.data() + (bandRow * pictureWidth + tile.x0) * channels;
        for (int32_t x = 0; x < tile.width; ++x, in += 4, out += channels) {
            if (!transparent) {
                out[0] = Rounded(in[0], n);
                out[1] = Rounded(in[1], n);
                out[2] = Rounded(in[2], n);
                continue;
            }
            const uint32_t alpha = in[3];
            for (int c = 0; c < 3; ++c) {
                out[c] = alpha == 0 ? 0 : Rounded(in[c] * 255u, alpha);
            }
            out[3] = Rounded(alpha, n);
        }
    }
}

}  // namespace

// The tiles' sizes, the framebuffer and the buffers, made once for any number of pictures.
struct PictureFrames::Tiles {
    Tiles(Renderer& renderer, const PictureRequest& request, int32_t tileWidth, int32_t tileHeight)
        : framebuffer(tileWidth, tileHeight),
          tileRenderer(renderer, request),
          width(tileWidth),
          height(tileHeight) {
        const std::size_t tilePixels = static_cast<std::size_t>(tileWidth) * tileHeight;
        read.resize(tilePixels * 4);
        sums.resize(tilePixels * 4);
        band.resize(static_cast<std::size_t>(request.width) * tileHeight *
                    PictureChannels(request));
    }

    SavedState saved;
    Framebuffer framebuffer;
    TileRenderer tileRenderer;
    int32_t width;
    int32_t height;
    std::vector<uint8_t> read;
    std::vector<uint16_t> sums;
    std::vector<uint8_t> band;
};

PictureFrames::PictureFrames(Renderer& renderer, const PictureRequest& request)
    : renderer_(renderer), request_(request) {
    if (request.width <= 0 || request.height <= 0) {
        return;
    }
    const int32_t maxSide = std::min(MaxFramebufferSide(), kTileSideBudget);
    const int32_t tileWidthLimit =
        std::min(request.maxTileWidth > 0 ? request.maxTileWidth : maxSide, maxSide);
    const int32_t tileWidth = PartSize(request.width, tileWidthLimit);
    const int64_t bandRowBytes = int64_t{request.width} * PictureChannels(request);
    const int32_t heightBudget = static_cast<int32_t>(std::max<int64_t>(
        1, std::min(kTilePixelBudget / tileWidth, kBandByteBudget / bandRowBytes)));
    const int32_t tileHeightLimit = std::min(
        {request.maxTileHeight > 0 ? request.maxTileHeight : heightBudget, heightBudget, maxSide});
    const int32_t tileHeight = PartSize(request.height, tileHeightLimit);
    tiles_ = std::make_unique<Tiles>(renderer, request_, tileWidth, tileHeight);
    if (!tiles_->framebuffer.IsComplete()) {
        tiles_.reset();
    }
}

PictureFrames::~PictureFrames() = default;

PictureStatus PictureFrames::Render(ImageRowSink& sink, const PictureProgress& progress) {
    if (!tiles_) {
        return PictureStatus::kNoFramebuffer;
    }
    const PictureRequest& request = request_;
    const Scene& scene = renderer_.scene();
    const float* bg = scene.backgroundColor;
    if (request.transparent) {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    } else {
        glClearColor(bg[0], bg[1], bg[2], 1.0f);
    }

    TileRenderer& tiles = tiles_->tileRenderer;
    const int32_t tileWidth = tiles_->width;
    const int32_t tileHeight = tiles_->height;
    std::vector<uint8_t>& read = tiles_->read;
    std::vector<uint16_t>& sums = tiles_->sums;
    std::vector<uint8_t>& band = tiles_->band;
    const int channels = PictureChannels(request);
    const int64_t columns = (request.width + tileWidth - 1) / tileWidth;
    const int64_t rows = (request.height + tileHeight - 1) / tileHeight;
    const int64_t total = columns * rows * tiles.passes();
    int64_t done = 0;

    for (int32_t y0 = 0; y0 < request.height; y0 += tileHeight) {
        const int32_t bandHeight = std::min(tileHeight, request.height - y0);
        for (int32_t x0 = 0; x0 < request.width; x0 += tileWidth) {
            const Tile tile{x0, y0, std::min(tileWidth, request.width - x0), bandHeight};
            const std::size_t values = static_cast<std::size_t>(tile.width) * tile.height * 4;
            std::fill_n(sums.begin(), values, 0);
            tiles.BeginTile(tile);
            for (int pass = 0; pass < tiles.passes(); ++pass) {
                tiles.DrawPass(tile, pass);
                if (tiles.studio() == nullptr) {
                    AddTile(tile, read, sums);
                }
                ++done;
                if (progress && !progress(done, total)) {
                    return PictureStatus::kCancelled;
                }
            }
            if (tiles.studio() != nullptr) {
                tiles.FinishStudio();
                AddTile(tile, read, sums);
            }
            StoreMean(tile, sums, tiles.studio() != nullptr ? 1 : tiles.passes(),
                      request.transparent, request.width, band);
        }
        const std::size_t stride = static_cast<std::size_t>(request.width) * channels;
        if (!sink.WriteRows(band.data(), bandHeight, stride)) {
            return PictureStatus::kCannotWrite;
        }
    }
    return PictureStatus::kOk;
}

PictureStatus RenderPicture(Renderer& renderer, const PictureRequest& request, ImageRowSink& sink,
                            const PictureProgress& progress) {
    PictureFrames frames(renderer, request);
    return frames.Render(sink, progress);
}
