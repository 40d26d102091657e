#include "app/animation_command.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>

#include "app/command_arguments.h"
#include "app/loaded_scene.h"
#include "formats/regular_file.h"
#include "render/animation_render.h"
#include "render/offscreen_context.h"
#include "resources/texts.h"

namespace {

// The picture options are read by the still picture's parser, as if for a PNG file, so that
// they mean exactly the same here; its name appears in none of its messages.
constexpr char kPictureStandIn[] = "frame.png";

bool ParseNumber(const std::string& text, double low, double high, double& value) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
        return false;
    }
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (*end != '\0' || parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

bool ParseKind(const std::string& text, MotionKind& kind) {
    if (text == "turntable") {
        kind = MotionKind::kTurntable;
    } else if (text == "swing") {
        kind = MotionKind::kSwing;
    } else if (text == "entrance") {
        kind = MotionKind::kEntrance;
    } else {
        return false;
    }
    return true;
}

// Takes the animation's own options and the output out of arguments; the rest is left.
bool TakeAnimationOptions(std::vector<std::string>& arguments, AnimationCommandOptions& options,
                          std::string& error) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        auto [name, value, hasValue] = SplitOptionArgument(arguments[i]);
        const bool ours = name == "-o" || name == "--output" || name == "--animate" ||
                          name == "--seconds" || name == "--fps" || name == "--swing-angle";
        if (name == "--size-mm") {
            return FailUsage(error, texts::kCliUnknownOption, name);
        }
        if (!ours) {
            rest.push_back(arguments[i]);
            continue;
        }
        if (!hasValue) {
            if (i + 1 >= arguments.size()) {
                return FailUsage(error, texts::kCliMissingValue, name);
            }
            value = arguments[++i];
        }
        double number = 0.0;
        bool valid = true;
        if (name == "-o" || name == "--output") {
            options.picture.output = value;
            valid = !value.empty();
        } else if (name == "--animate") {
            valid = ParseKind(value, options.motion.kind);
        } else if (name == "--seconds") {
            valid = ParseNumber(value, 0.0, kMaxMotionSeconds, number) && number > 0.0;
            options.motion.seconds = number;
        } else if (name == "--fps") {
            valid = ParseNumber(value, 1.0, kMaxMotionFps, number) && number == std::floor(number);
            options.motion.fps = static_cast<int>(number);
        } else {
            valid = ParseNumber(value, 0.0, kMaxSwingDegrees, number);
            options.motion.swingDegrees = number;
        }
        if (!valid) {
            return FailUsage(error, texts::kCliBadValue, name + " " + value);
        }
    }
    arguments = rest;
    return true;
}

int WriteAnimation(Renderer& renderer, const PictureRequest& request,
                   const AnimationCommandOptions& options, std::ostream& err) {
    const RenderCommandOptions& picture = options.picture;
    const std::unique_ptr<AnimationSink> sink = OpenAnimationFile(
        picture.output, options.type,
        {picture.width, picture.height, PictureChannels(request), options.motion.fps});
    if (!sink) {
        return ReportFileError(err, texts::kCliCannotWrite, picture.output);
    }
    const PictureStatus drawn = RenderAnimation(renderer, request, options.motion, *sink);
    ReportLookFallback(renderer, err);
    switch (drawn) {
        case PictureStatus::kOk:
            break;
        case PictureStatus::kNoFramebuffer:
            return ReportFileError(
                err, texts::kCliNoFramebuffer,
                std::to_string(picture.width) + "x" + std::to_string(picture.height));
        case PictureStatus::kCancelled:
        case PictureStatus::kCannotWrite:
            return ReportFileError(err, texts::kCliCannotWrite, picture.output);
    }
    return sink->Finish() ? kExitOk : ReportFileError(err, texts::kCliCannotWrite, picture.output);
}

int RunAnimationCommand(const AnimationCommandOptions& options, std::ostream& err) {
    const RenderCommandOptions& picture = options.picture;
    if (!AnimationFileTypeAvailable(options.type)) {
        return ReportFileError(err, texts::kCliAnimationTypeUnavailable, picture.output);
    }
    OffscreenContext context;
    if (!context.IsCurrent()) {
        return ReportFileError(err, texts::kCliNoContext, context.failure());
    }
    StreamMessages messages(err);
    LoadedScene loaded(messages);
    switch (loaded.Load(picture.scene)) {
        case SceneFileStatus::kOk:
            break;
        case SceneFileStatus::kNotSceneFile:
            return ReportFileError(err, texts::kCliNotSceneFile, picture.scene);
        case SceneFileStatus::kCannotOpen:
        case SceneFileStatus::kCannotWrite:
            return ReportFileError(err, texts::kCliSceneUnreadable, picture.scene);
    }
    if (const int status = ApplyPictureOptions(picture, loaded.scene, err); status != kExitOk) {
        return status;
    }
    PictureRequest request;
    request.width = picture.width;
    request.height = picture.height;
    request.level = picture.level;
    request.transparent = picture.transparent;
    try {
        return WriteAnimation(loaded.renderer, request, options, err);
    } catch (const std::bad_alloc&) {
        // Whole frames are held: a large size may not fit. The file went with its writer.
        return ReportFileError(err, texts::kCliCannotWrite, picture.output);
    }
}

}  // namespace

bool IsAnimationCommand(const std::vector<std::string>& arguments) {
    return IsRenderCommand(arguments) &&
           std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
               return argument == "--animate" || argument.rfind("--animate=", 0) == 0;
           });
}

bool ParseAnimationCommand(const std::vector<std::string>& arguments,
                           AnimationCommandOptions& options, std::string& error) {
    std::vector<std::string> pictureArguments = arguments;
    if (!TakeAnimationOptions(pictureArguments, options, error)) {
        return false;
    }
    const std::string output = options.picture.output;
    if (output.empty()) {
        return FailUsage(error, texts::kCliMissingValue, "-o");
    }
    pictureArguments.push_back("-o");
    pictureArguments.push_back(kPictureStandIn);
    if (!ParseRenderCommand(pictureArguments, options.picture, error)) {
        return false;
    }
    options.picture.output = output;
    if (IsSameFile(output, options.picture.scene)) {
        return FailUsage(error, texts::kCliOutputIsScene, output);
    }
    if (!AnimationFileTypeFromPath(output, options.type)) {
        return FailUsage(error, texts::kCliBadAnimationType, output);
    }
    if (options.picture.transparent && !AnimationKeepsAlpha(options.type)) {
        return FailUsage(error, texts::kCliTransparentNotMp4, output);
    }
    return true;
}

int AnimationCommandMain(const std::vector<std::string>& arguments, std::ostream& err) {
    AnimationCommandOptions options;
    std::string error;
    if (!ParseAnimationCommand(arguments, options, error)) {
        err << "vellumark: " << error << "\n\n" << texts::kCliUsage;
        return kExitUsage;
    }
    return RunAnimationCommand(options, err);
}
