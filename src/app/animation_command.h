#pragma once
// `vellumark -o OUT SCENE.vmk --animate KIND [options]`: a moving picture of the scene, written
// without a window, with the same picture options and exit statuses as a still picture.

#include <ostream>
#include <string>
#include <vector>

#include "app/render_command.h"
#include "formats/animation_file.h"
#include "scene/scene_motion.h"

struct AnimationCommandOptions {
    RenderCommandOptions picture;  // output, scene, size, level, transparency, background
    AnimationFileType type = AnimationFileType::kWebp;
    MotionSettings motion;
};

// True when the arguments ask for an output file and name an --animate among them.
bool IsAnimationCommand(const std::vector<std::string>& arguments);
// false with a message in error on a usage error.
bool ParseAnimationCommand(const std::vector<std::string>& arguments,
                           AnimationCommandOptions& options, std::string& error);
// Parses, renders and writes: the whole command. Returns the exit status.
int AnimationCommandMain(const std::vector<std::string>& arguments, std::ostream& err);
