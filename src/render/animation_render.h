#pragma once
// Moving pictures of the scene: each frame posed by the motion, drawn by the picture renderer
// and handed to the file's encoder before the next is drawn, so memory holds one frame.

#include "formats/animation_file.h"
#include "render/picture_render.h"
#include "scene/scene_motion.h"

// Draws every frame into sink (not finished here) with request's size, level and transparency.
// progress counts passes over the whole animation. The objects stand as before when it returns.
PictureStatus RenderAnimation(Renderer& renderer, const PictureRequest& request,
                              const MotionSettings& motion, AnimationSink& sink,
                              const PictureProgress& progress = {});
