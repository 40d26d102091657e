#include "app/render_command.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string_view>

#include "app/command_arguments.h"
#include "app/loaded_scene.h"
#include "export/model_assembly.h"
#include "formats/jpeg_export.h"
#include "formats/radiance_picture.h"
#include "formats/regular_file.h"
#include "formats/scene_file.h"
#include "render/offscreen_context.h"
#include "render/picture_render.h"
#include "resources/texts.h"
#include "scene/app_settings.h"
#include "scene/cp932.h"
#include "text/glyph_source.h"

namespace {

// Options a model file has no use for.
constexpr std::string_view kPictureOptions[] = {
    "--size",        "--antialias", "--background", "--quality",     "--transparent",
    "--progressive", "--baseline",  "--look",       "--environment", "--exposure"};

bool ParseInt(const std::string& text, long low, long high, int& value) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const long parsed = std::strtol(text.c_str(), nullptr, 10);
    if (parsed < low || parsed > high) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

// Splits "a<separator>b<separator>..." into exactly count integers within low ... high.
bool ParseInts(const std::string& text, char separator, std::size_t count, long low, long high,
               int* values) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t end = i + 1 < count ? text.find(separator, start) : text.size();
        if (end == std::string::npos ||
            !ParseInt(text.substr(start, end - start), low, high, values[i])) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

// EV as a decimal number within the scene's range, to the tenth.
bool ParseExposure(const std::string& text, int8_t& tenths) {
    if (text.empty() || text.size() > 12) {
        return false;
    }
    char* end = nullptr;
    const double ev = std::strtod(text.c_str(), &end);
    const double limit = kMaxExposureTenthsEv / 10.0;
    if (end != text.c_str() + text.size() || !(ev >= -limit && ev <= limit)) {
        return false;
    }
    tenths = static_cast<int8_t>(std::lround(ev * 10.0));
    return true;
}

bool ParseLevel(const std::string& text, int& level) {
    if (text == "off") {
        level = 1;
        return true;
    }
    int passes = 0;
    if (!ParseInt(text, 2, 66, passes) ||
        std::find(std::begin(AntialiasLevels), std::end(AntialiasLevels), passes) ==
            std::end(AntialiasLevels)) {
        return false;
    }
    level = passes;
    return true;
}

// The solids come from the outlines, so a model needs no GL context, only the fonts.
int ExportModel(const RenderCommandOptions& options, std::ostream& err) {
    Scene scene;
    StreamMessages messages(err);
    switch (ReadScene(options.scene, scene, messages)) {
        case SceneFileStatus::kOk:
            break;
        case SceneFileStatus::kNotSceneFile:
            return ReportFileError(err, texts::kCliNotSceneFile, options.scene);
        case SceneFileStatus::kCannotOpen:
        case SceneFileStatus::kCannotWrite:
            return ReportFileError(err, texts::kCliSceneUnreadable, options.scene);
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        scene.objects[slot].SetIndex(slot);
    }
    GlyphSource glyphs;
    switch (
        ExportSceneModel(scene, glyphs, options.output, *options.model, options.sizeMm, messages)) {
        case ModelExportStatus::kOk:
            return kExitOk;
        case ModelExportStatus::kEmptyScene:
            return ReportFileError(err, texts::kCliEmptyScene, options.scene);
        case ModelExportStatus::kUnknownType:
        case ModelExportStatus::kCannotWrite:
            break;
    }
    return ReportFileError(err, texts::kCliCannotWriteModel, options.output);
}

}  // namespace

bool IsRenderCommand(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        return argument == "-o" || argument.rfind("--output", 0) == 0;
    });
}

bool ParseRenderCommand(const std::vector<std::string>& arguments, RenderCommandOptions& options,
                        std::string& error) {
    bool hasOutput = false;
    bool hasSizeMm = false;
    std::string pictureOption;  // the first option only pictures take
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        auto [name, value, hasValue] = SplitOptionArgument(arguments[i]);
        const bool takesValue = name == "-o" || name == "--output" || name == "--size" ||
                                name == "--antialias" || name == "--background" ||
                                name == "--quality" || name == "--size-mm" || name == "--look" ||
                                name == "--environment" || name == "--exposure";
        if (takesValue && !hasValue) {
            if (i + 1 >= arguments.size()) {
                return FailUsage(error, texts::kCliMissingValue, name);
            }
            value = arguments[++i];
        } else if (!takesValue && hasValue) {
            return FailUsage(error, texts::kCliBadValue, arguments[i]);
        }
        if (pictureOption.empty() &&
            std::find(std::begin(kPictureOptions), std::end(kPictureOptions), name) !=
                std::end(kPictureOptions)) {
            pictureOption = name;
        }
        if (name == "-o" || name == "--output") {
            if (value.empty()) {
                return FailUsage(error, texts::kCliMissingValue, name);
            }
            options.output = value;
            hasOutput = true;
        } else if (name == "--size") {
            int size[2] = {0, 0};
            if (!ParseInts(value, 'x', 2, 1, kMaxPictureSide, size)) {
                return FailUsage(error, texts::kCliBadValue, name + " " + value);
            }
            options.width = size[0];
            options.height = size[1];
        } else if (name == "--antialias") {
            if (!ParseLevel(value, options.level)) {
                return FailUsage(error, texts::kCliBadValue, name + " " + value);
            }
        } else if (name == "--background") {
            int rgb[3] = {0, 0, 0};
            if (!ParseInts(value, ',', 3, 0, 255, rgb)) {
                return FailUsage(error, texts::kCliBadValue, name + " " + value);
            }
            for (int c = 0; c < 3; ++c) {
                options.background[c] = static_cast<float>(rgb[c]) / 255.0f;
            }
            options.hasBackground = true;
        } else if (name == "--quality") {
            if (!ParseInt(value, 1, 100, options.quality)) {
                return FailUsage(error, texts::kCliBadValue, name + " " + value);
            }
        } else if (name == "--size-mm") {
            int millimetres = 0;
            if (!ParseInt(value, 1, static_cast<long>(kMaxPrintSizeMm), millimetres)) {
                return FailUsage(error, texts::kCliBadValue, name + " " + value);
            }
            options.sizeMm = millimetres;
            hasSizeMm = true;
        } else if (name == "--look") {
            if (value != "classic" && value != "studio") {
                return FailUsage(error, texts::kCliBadValue, name + " " + value);
            }
            options.look = value == "studio" ? SceneLook::kStudio : SceneLook::kClassic;
        } else if (name == "--environment") {
            if (value.empty()) {
                return FailUsage(error, texts::kCliMissingValue, name);
            }
            options.environment = value;
        } else if (name == "--exposure") {
            int8_t tenths = 0;
            if (!ParseExposure(value, tenths)) {
                return FailUsage(error, texts::kCliBadValue, name + " " + value);
            }
            options.exposureTenthsEv = tenths;
        } else if (name == "--transparent") {
            options.transparent = true;
        } else if (name == "--progressive") {
            options.progressive = true;
        } else if (name == "--baseline") {
            options.progressive = false;
        } else if (name.size() > 1 && name[0] == '-') {
            return FailUsage(error, texts::kCliUnknownOption, name);
        } else if (!options.scene.empty()) {
            return FailUsage(error, texts::kCliExtraArgument, name);
        } else {
            options.scene = name;
        }
    }
    if (!hasOutput) {
        return FailUsage(error, texts::kCliMissingValue, "-o");
    }
    if (options.scene.empty()) {
        error = texts::kCliNoScene;
        return false;
    }
    if (IsSameFile(options.output, options.scene)) {
        return FailUsage(error, texts::kCliOutputIsScene, options.output);
    }
    options.model = ModelFormatOfPath(options.output);
    if (options.model) {
        if (!pictureOption.empty()) {
            return FailUsage(error, texts::kCliPictureOptionForModel, pictureOption);
        }
        if (hasSizeMm && !IsPrintFormat(*options.model)) {
            return FailUsage(error, texts::kCliSizeMmNeedsPrint, options.output);
        }
        return true;
    }
    if (hasSizeMm) {
        return FailUsage(error, texts::kCliSizeMmNeedsPrint, options.output);
    }
    if (!ImageFileTypeFromPath(options.output, options.type)) {
        return FailUsage(error, texts::kCliBadOutputType, options.output);
    }
    if (options.transparent && options.type != ImageFileType::kPng) {
        return FailUsage(error, texts::kCliTransparentNeedsPng, options.output);
    }
    return true;
}

int ApplyPictureOptions(const RenderCommandOptions& options, Scene& scene, std::ostream& err) {
    if (options.hasBackground) {
        std::copy(options.background, options.background + 3, scene.backgroundColor);
    }
    StudioSettings& studio = scene.studio;
    if (options.look) {
        studio.look = *options.look;
    }
    if (options.exposureTenthsEv) {
        studio.exposureTenthsEv = *options.exposureTenthsEv;
    }
    if (!options.environment.empty()) {
        // Read here once, so that a bad file is told rather than quietly replaced by the studio.
        const auto stored = Utf8ToCp932Exactly(options.environment);
        if (!stored || stored->size() > kMaxEnvironmentPathBytes ||
            !ReadRadiancePicture(options.environment)) {
            return ReportFileError(err, texts::kCliEnvironmentUnreadable, options.environment);
        }
        studio.environmentFile = *stored;
    }
    return kExitOk;
}

void ReportLookFallback(const Renderer& renderer, std::ostream& err) {
    if (!renderer.studioFailure().empty()) {
        err << "vellumark: " << texts::kCliStudioLookUnavailable << ": " << renderer.studioFailure()
            << '\n';
    }
}

int RunRenderCommand(const RenderCommandOptions& options, std::ostream& err) {
    if (options.model) {
        return ExportModel(options, err);
    }
    const auto report = [&err](const char* message, const std::string& subject) {
        return ReportFileError(err, message, subject);
    };
    OffscreenContext context;
    if (!context.IsCurrent()) {
        return report(texts::kCliNoContext, context.failure());
    }
    StreamMessages messages(err);
    LoadedScene loaded(messages);
    switch (loaded.Load(options.scene)) {
        case SceneFileStatus::kOk:
            break;
        case SceneFileStatus::kNotSceneFile:
            return report(texts::kCliNotSceneFile, options.scene);
        case SceneFileStatus::kCannotOpen:
        case SceneFileStatus::kCannotWrite:
            return report(texts::kCliSceneUnreadable, options.scene);
    }
    if (const int status = ApplyPictureOptions(options, loaded.scene, err); status != kExitOk) {
        return status;
    }
    PictureRequest request;
    request.width = options.width;
    request.height = options.height;
    request.level = options.level;
    request.transparent = options.transparent;
    JpegOptions jpeg;
    jpeg.library = FindJpegPlugin(ExecutableDir());
    jpeg.quality = options.quality;
    jpeg.progressive = options.progressive;
    ImageWriteStatus status = ImageWriteStatus::kOk;
    std::unique_ptr<ImageRowSink> sink =
        OpenImageFile(options.output, options.type,
                      {options.width, options.height, PictureChannels(request)}, jpeg, status);
    if (!sink) {
        return report(texts::kCliCannotWrite, options.output);
    }
    const PictureStatus drawn = RenderPicture(loaded.renderer, request, *sink);
    ReportLookFallback(loaded.renderer, err);
    switch (drawn) {
        case PictureStatus::kOk:
            break;
        case PictureStatus::kNoFramebuffer:
            return report(texts::kCliNoFramebuffer,
                          std::to_string(options.width) + "x" + std::to_string(options.height));
        case PictureStatus::kCancelled:
        case PictureStatus::kCannotWrite:
            return report(texts::kCliCannotWrite, options.output);
    }
    switch (sink->Finish()) {
        case ImageWriteStatus::kOk:
            return kExitOk;
        case ImageWriteStatus::kWriterMissing:
            return report(texts::kCliJpegWriterMissing, options.output);
        case ImageWriteStatus::kCannotWrite:
        case ImageWriteStatus::kUnsupported:
            break;
    }
    return report(texts::kCliCannotWrite, options.output);
}

int RenderCommandMain(const std::vector<std::string>& arguments, std::ostream& err) {
    RenderCommandOptions options;
    std::string error;
    if (!ParseRenderCommand(arguments, options, error)) {
        err << "vellumark: " << error << "\n\n" << texts::kCliUsage;
        return kExitUsage;
    }
    return RunRenderCommand(options, err);
}
