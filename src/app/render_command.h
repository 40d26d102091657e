#pragma once
// `vellumark -o OUT SCENE.vmk [options]`: renders a scene file to a picture file, or exports it
// as a 3D model, and exits, without a window or an X server. Decided before the toolkit starts,
// so no display is needed.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "formats/image_sink.h"
#include "formats/model_writers.h"
#include "render/renderer.h"
#include "scene/scene.h"

struct RenderCommandOptions {
    std::string output;
    std::string scene;
    ImageFileType type = ImageFileType::kPng;
    int32_t width = 800;
    int32_t height = 600;
    int level = 8;  // 1: off
    bool transparent = false;
    bool hasBackground = false;
    float background[3] = {1.0f, 1.0f, 1.0f};
    // Unset: as the scene says.
    std::optional<SceneLook> look;
    std::string environment;  // a Radiance .hdr file for the studio look
    std::optional<int8_t> exposureTenthsEv;
    int quality = 50;
    bool progressive = true;
    // Set when the output's extension names a 3D model; the picture fields are then unused.
    std::optional<ModelFormat> model;
    double sizeMm = kDefaultPrintSizeMm;
};

inline constexpr int32_t kMaxPictureSide = 16384;
inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;

// True when the arguments ask for a picture or model file (an -o among them).
bool IsRenderCommand(const std::vector<std::string>& arguments);
// Reads the options after the program name; false with a message in error on a usage error.
bool ParseRenderCommand(const std::vector<std::string>& arguments, RenderCommandOptions& options,
                        std::string& error);
// Puts the background and the look the options ask for into a scene read for them; an
// environment file that cannot be read is told on err. Returns the exit status so far.
int ApplyPictureOptions(const RenderCommandOptions& options, Scene& scene, std::ostream& err);
// Says so on err when the context could not draw the studio look and the classic one stood in.
void ReportLookFallback(const Renderer& renderer, std::ostream& err);
// Renders or exports and writes; messages go to err. Returns the exit status.
int RunRenderCommand(const RenderCommandOptions& options, std::ostream& err);
// Parses, reports usage errors with the usage text, renders: the whole command.
int RenderCommandMain(const std::vector<std::string>& arguments, std::ostream& err);
