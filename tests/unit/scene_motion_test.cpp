// Motions of the scene: the turntable turns every object about the vertical axis through the
// scene's centre and comes back to where it began, the swing is widest a quarter in, and an
// entrance brings the objects in one after another and ends with them as they stood.
#include "scene/scene_motion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Three live objects, turned in ways that adding to one angle would not turn right.
void Populate(Scene& scene) {
    const float places[3][3] = {{-2.0f, 0.5f, 1.0f}, {1.0f, 0.0f, -1.0f}, {4.0f, 1.0f, 3.0f}};
    const float turns[3][3] = {{30.0f, 20.0f, 10.0f}, {0.0f, 90.0f, 0.0f}, {-45.0f, 0.0f, 60.0f}};
    for (int i = 0; i < 3; ++i) {
        TextObject& object = scene.objects[i * 2];
        object.glyphCount = 3;
        object.textWidth = 2.0f;
        object.textHeight = 0.8f;
        object.SetPosition(places[i][0], places[i][1], places[i][2]);
        object.SetRotation(turns[i][0], turns[i][1], turns[i][2]);
    }
}

// Where a point of the object's own space lands in the scene.
void Place(const ObjectPose& pose, const double local[3], double world[3]) {
    RotatePoint(pose.rotation, local, world);
    for (int i = 0; i < 3; ++i) {
        world[i] += pose.position[i];
    }
}

// The world point turned by degrees about the vertical line through (cx, cz).
void TurnAbout(const double point[3], double degrees, double cx, double cz, double out[3]) {
    const double a = degrees * kPi / 180.0;
    const double dx = point[0] - cx;
    const double dz = point[2] - cz;
    out[0] = cx + std::cos(a) * dx + std::sin(a) * dz;
    out[1] = point[1];
    out[2] = cz - std::sin(a) * dx + std::cos(a) * dz;
}

void ExpectTurned(const Scene& scene, const ScenePose& rest, const ScenePose& posed,
                  double degrees) {
    // The live objects stand between x -2 ... 4 and z -1 ... 3.
    const double local[2][3] = {{0.3, 0.7, -0.2}, {-1.0, 0.0, 0.4}};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!scene.objects[slot].IsLive()) {
            continue;
        }
        for (const auto& point : local) {
            double before[3], after[3], expected[3];
            Place(rest.objects[slot], point, before);
            Place(posed.objects[slot], point, after);
            TurnAbout(before, degrees, 1.0, 1.0, expected);
            for (int i = 0; i < 3; ++i) {
                EXPECT_NEAR(after[i], expected[i], 1e-4) << "slot " << slot << " axis " << i;
            }
        }
    }
}

TEST(SceneMotion, TurntableTurnsEveryObjectAboutTheSceneCentreAndLoops) {
    Scene scene;
    Populate(scene);
    const ScenePose rest = CapturePose(scene);
    MotionSettings motion;
    const int frames = MotionFrameCount(motion);
    ASSERT_EQ(frames, 120);
    ExpectTurned(scene, rest, MotionPose(scene, rest, motion, frames / 2, frames), 180.0);
    ExpectTurned(scene, rest, MotionPose(scene, rest, motion, 1, frames), 3.0);
    // The frame after the last is the first again.
    ExpectTurned(scene, rest, MotionPose(scene, rest, motion, frames, frames), 0.0);
}

TEST(SceneMotion, SwingIsWidestAQuarterInAndBackAtTheMiddle) {
    Scene scene;
    Populate(scene);
    const ScenePose rest = CapturePose(scene);
    MotionSettings motion;
    motion.kind = MotionKind::kSwing;
    motion.seconds = 2.0;
    motion.fps = 20;
    motion.swingDegrees = 25.0;
    ExpectTurned(scene, rest, MotionPose(scene, rest, motion, 10, 40), 25.0);
    ExpectTurned(scene, rest, MotionPose(scene, rest, motion, 20, 40), 0.0);
    ExpectTurned(scene, rest, MotionPose(scene, rest, motion, 30, 40), -25.0);
}

TEST(SceneMotion, EntranceBringsTheObjectsInOneByOneAndEndsAsTheyStood) {
    Scene scene;
    Populate(scene);
    const ScenePose rest = CapturePose(scene);
    MotionSettings motion;
    motion.kind = MotionKind::kEntrance;
    const int frames = MotionFrameCount(motion);
    const ScenePose first = MotionPose(scene, rest, motion, 0, frames);
    const ScenePose early = MotionPose(scene, rest, motion, frames / 8, frames);
    const ScenePose last = MotionPose(scene, rest, motion, frames - 1, frames);
    for (int slot : {0, 2, 4}) {
        EXPECT_TRUE(first.objects[slot].hidden) << slot;
        EXPECT_FALSE(last.objects[slot].hidden) << slot;
        for (int i = 0; i < 3; ++i) {
            EXPECT_FLOAT_EQ(last.objects[slot].position[i], rest.objects[slot].position[i]);
            EXPECT_FLOAT_EQ(last.objects[slot].diffuse[i], rest.objects[slot].diffuse[i]);
        }
    }
    // An eighth in, the first is on its way (below, behind, paler), the last not yet started.
    EXPECT_FALSE(early.objects[0].hidden);
    EXPECT_LT(early.objects[0].position[1], rest.objects[0].position[1]);
    EXPECT_LT(early.objects[0].position[2], rest.objects[0].position[2]);
    EXPECT_GT(early.objects[0].diffuse[2], rest.objects[0].diffuse[2]);
    EXPECT_TRUE(early.objects[4].hidden);
}

}  // namespace
