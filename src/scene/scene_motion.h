#pragma once
// Moving logos computed from the scene alone: where every object stands and how it looks in each
// frame of a turntable, a swing or an entrance. The turntable turns the objects, not the eye:
// the light and the shadow's floor stay where the scene put them, as on a real turntable, so the
// highlights sweep across the letters and the shadow turns with them while the lit side keeps
// facing the viewer.

#include "scene/scene.h"

enum class MotionKind { kTurntable, kSwing, kEntrance };

struct MotionSettings {
    MotionKind kind = MotionKind::kTurntable;
    double seconds = 4.0;
    int fps = 30;
    double swingDegrees = 15.0;  // each way, swing only
};

inline constexpr double kMaxMotionSeconds = 60.0;
inline constexpr int kMaxMotionFps = 60;
inline constexpr double kMaxSwingDegrees = 90.0;

// seconds * fps rounded, at least 1.
int MotionFrameCount(const MotionSettings& motion);

// What the motion changes in one object.
struct ObjectPose {
    float position[3] = {0.0f, 0.0f, 0.0f};
    float rotation[3] = {0.0f, 0.0f, 0.0f};  // degrees about x, y, z, as the object keeps them
    float diffuse[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float ambient[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    bool hidden = false;
};

struct ScenePose {
    ObjectPose objects[kSlotCount];
};

// The objects as they stand now: the pose every frame starts from, and the one to put back.
ScenePose CapturePose(const Scene& scene);
void ApplyPose(Scene& scene, const ScenePose& pose);

// Frame `frame` of frameCount at t = frame / frameCount of the period, so that a turntable or a
// swing loops without a seam: the frame after the last would be the first again. An entrance
// ends with its objects as they stand, held for the last quarter.
ScenePose MotionPose(const Scene& scene, const ScenePose& rest, const MotionSettings& motion,
                     int frame, int frameCount);

// A point of an object's own space turned by the object's rotation (degrees about x, y, z as
// the object keeps them), for drawings of a pose.
void RotatePoint(const float degrees[3], const double point[3], double turned[3]);
