#include "scene/scene_motion.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// An entrance's objects are all in place by this part of the period, then hold.
constexpr double kEntranceEnd = 0.75;

using Matrix = double[3][3];

void Multiply(const Matrix a, const Matrix b, Matrix out) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            out[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c];
        }
    }
}

void AxisRotation(int axis, double degrees, Matrix out) {
    const double s = std::sin(degrees * kPi / 180.0);
    const double c = std::cos(degrees * kPi / 180.0);
    const int u = (axis + 1) % 3;
    const int v = (axis + 2) % 3;
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 3; ++k) {
            out[r][k] = r == k ? 1.0 : 0.0;
        }
    }
    out[u][u] = c;
    out[u][v] = -s;
    out[v][u] = s;
    out[v][v] = c;
}

// The object's rotation as drawn: about x, then y, then z, applied to the glyphs in reverse.
void ObjectRotation(const float degrees[3], Matrix out) {
    Matrix x, y, z, xy;
    AxisRotation(0, degrees[0], x);
    AxisRotation(1, degrees[1], y);
    AxisRotation(2, degrees[2], z);
    Multiply(x, y, xy);
    Multiply(xy, z, out);
}

// The three angles whose ObjectRotation is m.
void RotationAngles(const Matrix m, float degrees[3]) {
    const double toDegrees = 180.0 / kPi;
    const double sinY = std::clamp(m[0][2], -1.0, 1.0);
    const double y = std::asin(sinY);
    double x = 0.0;
    double z = 0.0;
    if (std::fabs(sinY) < 1.0 - 1e-9) {
        x = std::atan2(-m[1][2], m[2][2]);
        z = std::atan2(-m[0][1], m[0][0]);
    } else {
        // Straight up or down: only x + z or x - z is fixed; z takes none of it.
        x = std::atan2(m[2][1], m[1][1]);
    }
    degrees[0] = static_cast<float>(x * toDegrees);
    degrees[1] = static_cast<float>(y * toDegrees);
    degrees[2] = static_cast<float>(z * toDegrees);
}

// The middle of the live objects' places on the floor: the turning axis goes up through it.
void SceneCentre(const Scene& scene, double& x, double& z) {
    double low[2] = {0.0, 0.0};
    double high[2] = {0.0, 0.0};
    bool any = false;
    for (const TextObject& object : scene.objects) {
        if (!object.IsLive()) {
            continue;
        }
        const double place[2] = {object.position[0], object.position[2]};
        for (int i = 0; i < 2; ++i) {
            low[i] = any ? std::min(low[i], place[i]) : place[i];
            high[i] = any ? std::max(high[i], place[i]) : place[i];
        }
        any = true;
    }
    x = (low[0] + high[0]) / 2.0;
    z = (low[1] + high[1]) / 2.0;
}

// Every live object turned by degrees about the vertical axis through the scene's centre.
void TurnAboutCentre(const Scene& scene, double degrees, ScenePose& pose) {
    double cx = 0.0;
    double cz = 0.0;
    SceneCentre(scene, cx, cz);
    Matrix turn;
    AxisRotation(1, degrees, turn);
    for (ObjectPose& object : pose.objects) {
        const double dx = object.position[0] - cx;
        const double dz = object.position[2] - cz;
        object.position[0] = static_cast<float>(cx + turn[0][0] * dx + turn[0][2] * dz);
        object.position[2] = static_cast<float>(cz + turn[2][0] * dx + turn[2][2] * dz);
        Matrix own, turned;
        ObjectRotation(object.rotation, own);
        Multiply(turn, own, turned);
        RotationAngles(turned, object.rotation);
    }
}

// Fast at first, settling gently.
double EaseOut(double u) {
    const double rest = 1.0 - u;
    return 1.0 - rest * rest * rest;
}

void FadeFrom(const float background[3], double amount, float colour[4]) {
    for (int c = 0; c < 3; ++c) {
        colour[c] = static_cast<float>(background[c] + amount * (colour[c] - background[c]));
    }
}

// Each object in slot order rises from below and behind while fading in from the background;
// each starts when the one before is halfway.
void Enter(const Scene& scene, double t, ScenePose& pose) {
    const int live = scene.LiveObjectCount();
    const double span = kEntranceEnd * 2.0 / (live + 1);
    int order = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const TextObject& object = scene.objects[slot];
        if (!object.IsLive()) {
            continue;
        }
        const double u = std::clamp((t - order * span / 2.0) / span, 0.0, 1.0);
        ++order;
        ObjectPose& posed = pose.objects[slot];
        if (u <= 0.0) {
            posed.hidden = true;
            continue;
        }
        const double eased = EaseOut(u);
        const double height =
            std::max(std::fabs((object.textHeight - object.textBottom) * object.scale[1]), 0.25f);
        posed.position[1] -= static_cast<float>((1.0 - eased) * height);
        posed.position[2] -= static_cast<float>((1.0 - eased) * height * 3.0);
        FadeFrom(scene.backgroundColor, eased, posed.diffuse);
        FadeFrom(scene.backgroundColor, eased, posed.specular);
        FadeFrom(scene.backgroundColor, eased, posed.ambient);
    }
}

template <std::size_t N>
void CopyValues(const float (&from)[N], float (&to)[N]) {
    std::copy(std::begin(from), std::end(from), std::begin(to));
}

}  // namespace

int MotionFrameCount(const MotionSettings& motion) {
    return std::max(1, static_cast<int>(std::lround(motion.seconds * motion.fps)));
}

ScenePose CapturePose(const Scene& scene) {
    ScenePose pose;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const TextObject& object = scene.objects[slot];
        ObjectPose& posed = pose.objects[slot];
        CopyValues(object.position, posed.position);
        CopyValues(object.rotation, posed.rotation);
        CopyValues(object.diffuse, posed.diffuse);
        CopyValues(object.specular, posed.specular);
        CopyValues(object.ambient, posed.ambient);
        posed.hidden = object.hidden;
    }
    return pose;
}

void ApplyPose(Scene& scene, const ScenePose& pose) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        TextObject& object = scene.objects[slot];
        const ObjectPose& posed = pose.objects[slot];
        CopyValues(posed.position, object.position);
        CopyValues(posed.rotation, object.rotation);
        CopyValues(posed.diffuse, object.diffuse);
        CopyValues(posed.specular, object.specular);
        CopyValues(posed.ambient, object.ambient);
        object.hidden = posed.hidden;
    }
}

ScenePose MotionPose(const Scene& scene, const ScenePose& rest, const MotionSettings& motion,
                     int frame, int frameCount) {
    ScenePose pose = rest;
    const double t = frameCount > 0 ? static_cast<double>(frame) / frameCount : 0.0;
    switch (motion.kind) {
        case MotionKind::kTurntable:
            TurnAboutCentre(scene, 360.0 * t, pose);
            break;
        case MotionKind::kSwing:
            // A sine's turns are eased at both ends of each swing.
            TurnAboutCentre(scene, motion.swingDegrees * std::sin(2.0 * kPi * t), pose);
            break;
        case MotionKind::kEntrance:
            Enter(scene, t, pose);
            break;
    }
    return pose;
}

void RotatePoint(const float degrees[3], const double point[3], double turned[3]) {
    Matrix m;
    ObjectRotation(degrees, m);
    for (int r = 0; r < 3; ++r) {
        turned[r] = m[r][0] * point[0] + m[r][1] * point[1] + m[r][2] * point[2];
    }
}
