#include "text/outline_flattener.h"

#include <algorithm>
#include <cmath>

namespace {

struct Vec {
    float x, y;
};

Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
// Em-sized values neither overflow nor underflow, so hypot's care is not needed.
float Length(Vec v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

// Joins whose tangents turn less than about 20 degrees count as smooth.
constexpr float kSmoothJoinCosine = 0.94f;
constexpr float kSamePointDistance = 1e-7f;
constexpr int kMaxPiecesPerCurve = 1024;

bool Tangential(Vec in, Vec out) {
    const float lengths = Length(in) * Length(out);
    if (lengths <= 0.0f) {
        return false;
    }
    return (in.x * out.x + in.y * out.y) / lengths > kSmoothJoinCosine;
}

// First non-zero difference in the list, so degenerate control points still give a direction.
Vec FirstDirection(std::initializer_list<Vec> candidates) {
    for (Vec v : candidates) {
        if (Length(v) > kSamePointDistance) {
            return v;
        }
    }
    return {0.0f, 0.0f};
}

int PiecesFor(float secondDifference, float factor, float tolerance) {
    const float pieces = std::ceil(std::sqrt(factor * secondDifference / tolerance));
    return std::clamp(static_cast<int>(pieces), 1, kMaxPiecesPerCurve);
}

class Flattener {
  public:
    Flattener(float unitsToEm, const OutlineMatrix& matrix, float tolerance)
        : unitsToEm_(unitsToEm), matrix_(matrix), tolerance_(tolerance) {}

    Vec Map(const FT_Vector* v) const {
        const float x = static_cast<float>(v->x) * unitsToEm_;
        const float y = static_cast<float>(v->y) * unitsToEm_;
        return {matrix_.xx * x + matrix_.xy * y, matrix_.yx * x + matrix_.yy * y};
    }

    void MoveTo(Vec p) {
        FinishContour();
        current_ = p;
        contour_.push_back({p.x, p.y, false});
        hasSegment_ = false;
    }

    void LineTo(Vec p) {
        const Vec d = p - current_;
        if (Length(d) <= kSamePointDistance) {
            return;
        }
        BeginSegment(d);
        Append(p, false);
        lastEndTangent_ = d;
        current_ = p;
    }

    void ConicTo(Vec c, Vec p) {
        const Vec p0 = current_;
        const float dd = Length({p0.x - 2 * c.x + p.x, p0.y - 2 * c.y + p.y});
        if (dd <= kSamePointDistance) {
            LineTo(p);
            return;
        }
        const int n = PiecesFor(dd, 0.25f, tolerance_);
        BeginSegment(FirstDirection({c - p0, p - p0}));
        for (int i = 1; i <= n; ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(n);
            const float u = 1.0f - t;
            const float a = u * u, b = 2 * u * t, e = t * t;
            Append({a * p0.x + b * c.x + e * p.x, a * p0.y + b * c.y + e * p.y}, i < n);
        }
        lastEndTangent_ = FirstDirection({p - c, p - p0});
        current_ = p;
    }

    void CubicTo(Vec c1, Vec c2, Vec p) {
        const Vec p0 = current_;
        const float dd = std::max(Length({p0.x - 2 * c1.x + c2.x, p0.y - 2 * c1.y + c2.y}),
                                  Length({c1.x - 2 * c2.x + p.x, c1.y - 2 * c2.y + p.y}));
        if (dd <= kSamePointDistance) {
            LineTo(p);
            return;
        }
        const int n = PiecesFor(dd, 0.75f, tolerance_);
        BeginSegment(FirstDirection({c1 - p0, c2 - p0, p - p0}));
        for (int i = 1; i <= n; ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(n);
            const float u = 1.0f - t;
            const float a = u * u * u, b = 3 * u * u * t, e = 3 * u * t * t, f = t * t * t;
            Append({a * p0.x + b * c1.x + e * c2.x + f * p.x,
                    a * p0.y + b * c1.y + e * c2.y + f * p.y},
                   i < n);
        }
        lastEndTangent_ = FirstDirection({p - c2, p - c1, p - p0});
        current_ = p;
    }

    FlatOutline Finish() {
        FinishContour();
        return std::move(result_);
    }

  private:
    void BeginSegment(Vec startTangent) {
        if (hasSegment_) {
            contour_.back().smooth = Tangential(lastEndTangent_, startTangent);
        } else {
            firstStartTangent_ = startTangent;
            hasSegment_ = true;
        }
    }

    void Append(Vec p, bool onCurve) {
        const OutlinePoint& previous = contour_.back();
        if (Length({p.x - previous.x, p.y - previous.y}) > kSamePointDistance) {
            contour_.push_back({p.x, p.y, onCurve});
        }
    }

    void FinishContour() {
        if (contour_.empty()) {
            return;
        }
        OutlinePoint& first = contour_.front();
        const OutlinePoint& last = contour_.back();
        if (contour_.size() > 1 &&
            Length({last.x - first.x, last.y - first.y}) <= kSamePointDistance) {
            contour_.pop_back();
            first.smooth = Tangential(lastEndTangent_, firstStartTangent_);
        } else if (contour_.size() > 1) {
            // The closing edge is an implicit straight line.
            const Vec closing{first.x - last.x, first.y - last.y};
            contour_.back().smooth = Tangential(lastEndTangent_, closing);
            first.smooth = Tangential(closing, firstStartTangent_);
        }
        if (contour_.size() >= 3) {
            result_.contours.push_back(std::move(contour_));
        }
        contour_.clear();
    }

    float unitsToEm_;
    OutlineMatrix matrix_;
    float tolerance_;
    FlatOutline result_;
    OutlineContour contour_;
    Vec current_{0.0f, 0.0f};
    Vec lastEndTangent_{0.0f, 0.0f};
    Vec firstStartTangent_{0.0f, 0.0f};
    bool hasSegment_ = false;
};

Flattener& Self(void* user) {
    return *static_cast<Flattener*>(user);
}

int OnMoveTo(const FT_Vector* to, void* user) {
    Self(user).MoveTo(Self(user).Map(to));
    return 0;
}

int OnLineTo(const FT_Vector* to, void* user) {
    Self(user).LineTo(Self(user).Map(to));
    return 0;
}

int OnConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    Flattener& f = Self(user);
    f.ConicTo(f.Map(control), f.Map(to));
    return 0;
}

int OnCubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to,
              void* user) {
    Flattener& f = Self(user);
    f.CubicTo(f.Map(control1), f.Map(control2), f.Map(to));
    return 0;
}

}  // namespace

FlatOutline FlattenOutline(const FT_Outline& outline, float unitsToEm, const OutlineMatrix& matrix,
                           float tolerance) {
    static const FT_Outline_Funcs kCallbacks = {OnMoveTo, OnLineTo, OnConicTo, OnCubicTo, 0, 0};
    Flattener flattener(unitsToEm, matrix, tolerance);
    FT_Outline copy = outline;
    if (FT_Outline_Decompose(&copy, &kCallbacks, &flattener) != 0) {
        return {};
    }
    return flattener.Finish();
}
