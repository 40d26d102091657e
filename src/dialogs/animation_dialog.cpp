#include "dialogs/animation_dialog.h"

#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/geometry.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "dialogs/level_choice.h"
#include "dialogs/picture_dialog_layout.h"
#include "dialogs/sized_capture_dialog.h"
#include "resources/texts.h"

namespace {

wxString Text(const char* utf8) {
    return wxString::FromUTF8(utf8);
}

constexpr MotionKind kKinds[] = {MotionKind::kTurntable, MotionKind::kSwing, MotionKind::kEntrance};
// The sketch is seen a little from above, as a logo usually is.
constexpr double kSketchTilt = 0.35;
constexpr int kSketchTickMs = 40;

wxColour ColourOf(const float rgb[]) {
    const auto channel = [](float value) {
        return static_cast<unsigned char>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
    };
    return {channel(rgb[0]), channel(rgb[1]), channel(rgb[2])};
}

struct SketchFace {
    wxPoint2DDouble corners[4];  // scene units: across, and up as seen from a little above
    wxColour colour;
    double depth = 0.0;  // towards the eye
};

// Each shown object's face as a quadrilateral in its pose.
std::vector<SketchFace> Sketch(const Scene& scene, const ScenePose& pose) {
    std::vector<SketchFace> faces;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const TextObject& object = scene.objects[slot];
        const ObjectPose& posed = pose.objects[slot];
        if (!object.IsLive() || posed.hidden) {
            continue;
        }
        const double halfWidth = std::fabs(object.textWidth * object.scale[0]) / 2.0;
        const double height =
            std::max(std::fabs((object.textHeight - object.textBottom) * object.scale[1]), 0.1f);
        const double corners[4][3] = {{-halfWidth, 0.0, 0.0},
                                      {halfWidth, 0.0, 0.0},
                                      {halfWidth, height, 0.0},
                                      {-halfWidth, height, 0.0}};
        SketchFace face;
        face.colour = ColourOf(posed.diffuse);
        for (int k = 0; k < 4; ++k) {
            double turned[3];
            RotatePoint(posed.rotation, corners[k], turned);
            const double y = posed.position[1] + turned[1];
            const double z = posed.position[2] + turned[2];
            face.corners[k] = {posed.position[0] + turned[0],
                               y * std::cos(kSketchTilt) - z * std::sin(kSketchTilt)};
            face.depth += z / 4.0;
        }
        faces.push_back(face);
    }
    // The farthest first, so that nearer faces cover them.
    std::sort(faces.begin(), faces.end(),
              [](const SketchFace& a, const SketchFace& b) { return a.depth < b.depth; });
    return faces;
}

}  // namespace

// The objects' faces posed as the motion has them at the moment, seen from the front and a
// little above; it plays in a loop while the dialog is open.
class MotionPreview : public wxWindow {
  public:
    MotionPreview(wxWindow* parent, const Scene& scene)
        : wxWindow(parent, kIdAnimationPreview, wxDefaultPosition, wxSize(200, 150)),
          scene_(scene),
          rest_(CapturePose(scene)),
          timer_(this) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        FrameTheTurn();
        Bind(wxEVT_PAINT, &MotionPreview::OnPaint, this);
        Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            elapsedMs_ += kSketchTickMs;
            Refresh(false);
        });
        timer_.Start(kSketchTickMs);
    }

    void SetMotion(const MotionSettings& motion, bool transparent) {
        motion_ = motion;
        transparent_ = transparent;
        Refresh(false);
    }

  private:
    // The sketch's frame holds every pose of a whole turn, so nothing moves out of it.
    void FrameTheTurn() {
        MotionSettings turn;
        constexpr int kSamples = 16;
        bool any = false;
        for (int i = 0; i < kSamples; ++i) {
            for (const SketchFace& face :
                 Sketch(scene_, MotionPose(scene_, rest_, turn, i, kSamples))) {
                for (const wxPoint2DDouble& corner : face.corners) {
                    const wxRect2DDouble point(corner.m_x, corner.m_y, 0.0, 0.0);
                    bounds_ = any ? bounds_.CreateUnion(point) : point;
                    any = true;
                }
            }
        }
    }

    void OnPaint(wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(this);
        dc.SetBackground(transparent_ ? *wxLIGHT_GREY_BRUSH
                                      : wxBrush(ColourOf(scene_.backgroundColor)));
        dc.Clear();
        const int frames = MotionFrameCount(motion_);
        const double periodMs = motion_.seconds * 1000.0;
        const int frame = static_cast<int>(std::fmod(elapsedMs_, periodMs) / periodMs * frames);
        const wxSize area = GetClientSize();
        const double span = std::max({bounds_.m_width, bounds_.m_height, 1e-3}) * 1.2;
        const double scale = std::min(area.x, area.y) / span;
        const wxPoint2DDouble middle = bounds_.GetCentre();
        dc.SetPen(*wxBLACK_PEN);
        for (const SketchFace& face :
             Sketch(scene_, MotionPose(scene_, rest_, motion_, frame, frames))) {
            wxPoint corners[4];
            for (int k = 0; k < 4; ++k) {
                corners[k] = wxPoint(
                    static_cast<int>(area.x / 2 + (face.corners[k].m_x - middle.m_x) * scale),
                    static_cast<int>(area.y / 2 - (face.corners[k].m_y - middle.m_y) * scale));
            }
            dc.SetBrush(wxBrush(face.colour));
            dc.DrawPolygon(4, corners);
        }
    }

    const Scene& scene_;
    ScenePose rest_;
    MotionSettings motion_;
    bool transparent_ = false;
    wxTimer timer_;
    double elapsedMs_ = 0.0;
    wxRect2DDouble bounds_;
};

AnimationDialog::AnimationDialog(wxWindow* parent, const Scene& scene,
                                 const AnimationChoice& initial)
    : wxDialog(parent, wxID_ANY, Text(texts::kAnimationCaption)) {
    wxArrayString kinds;
    kinds.Add(Text(texts::kAnimationTurntable));
    kinds.Add(Text(texts::kAnimationSwing));
    kinds.Add(Text(texts::kAnimationEntrance));
    kind_ = new wxChoice(this, kIdAnimationKind, wxDefaultPosition, wxDefaultSize, kinds);
    kind_->SetSelection(static_cast<int>(
        std::find(std::begin(kKinds), std::end(kKinds), initial.motion.kind) - std::begin(kKinds)));
    seconds_ = new wxSpinCtrlDouble(this, kIdAnimationSeconds, wxEmptyString, wxDefaultPosition,
                                    wxDefaultSize, wxSP_ARROW_KEYS, 0.5, kMaxMotionSeconds,
                                    initial.motion.seconds, 0.5);
    const auto whole = [this](int id, int low, int high, int value) {
        return new wxSpinCtrl(this, id, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                              wxSP_ARROW_KEYS, low, high, std::clamp(value, low, high));
    };
    fps_ = whole(kIdAnimationFps, 1, kMaxMotionFps, initial.motion.fps);
    swing_ = whole(kIdAnimationSwing, 1, static_cast<int>(kMaxSwingDegrees),
                   static_cast<int>(std::lround(initial.motion.swingDegrees)));
    width_ = whole(kIdAnimationWidth, 1, kMaxSizedCaptureSide, initial.width);
    height_ = whole(kIdAnimationHeight, 1, kMaxSizedCaptureSide, initial.height);
    level_ = NewLevelChoice(this, kIdAnimationLevel, initial.level);
    transparent_ =
        new wxCheckBox(this, kIdAnimationTransparent, Text(texts::kAnimationTransparentCheck));
    transparent_->SetValue(initial.transparent);
    preview_ = new MotionPreview(this, scene);

    LayOutPictureDialog(*this, {{{texts::kAnimationKindLabel, kind_},
                                 {texts::kAnimationSecondsLabel, seconds_},
                                 {texts::kAnimationFpsLabel, fps_},
                                 {texts::kAnimationSwingLabel, swing_},
                                 {texts::kSizedWidthLabel, width_},
                                 {texts::kSizedHeightLabel, height_},
                                 {texts::kSizedAntialiasLabel, level_}},
                                transparent_,
                                texts::kAnimationPreviewLabel,
                                preview_,
                                texts::kAnimationOk});

    const auto changed = [this](wxEvent&) { ShowMotion(); };
    Bind(wxEVT_CHOICE, changed);
    Bind(wxEVT_SPINCTRL, changed);
    Bind(wxEVT_SPINCTRLDOUBLE, changed);
    Bind(wxEVT_TEXT, changed);
    Bind(wxEVT_CHECKBOX, changed);
    ShowMotion();
}

AnimationChoice AnimationDialog::choice() const {
    AnimationChoice answer;
    const int kind = std::clamp(kind_->GetSelection(), 0, 2);
    answer.motion.kind = kKinds[kind];
    answer.motion.seconds = seconds_->GetValue();
    answer.motion.fps = fps_->GetValue();
    answer.motion.swingDegrees = swing_->GetValue();
    answer.width = width_->GetValue();
    answer.height = height_->GetValue();
    answer.level = ChosenLevel(*level_);
    answer.transparent = transparent_->GetValue();
    return answer;
}

void AnimationDialog::ShowMotion() {
    const AnimationChoice now = choice();
    swing_->Enable(now.motion.kind == MotionKind::kSwing);
    preview_->SetMotion(now.motion, now.transparent);
}

bool AskAnimation(wxWindow* parent, const Scene& scene, AnimationChoice& choice) {
    AnimationDialog dialog(parent, scene, choice);
    if (dialog.ShowModal() != wxID_OK) {
        return false;
    }
    choice = dialog.choice();
    return true;
}
