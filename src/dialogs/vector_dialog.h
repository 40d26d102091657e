#pragma once
// The family of small dialogs that set three components of a vector with spin arrows. Each
// arrow press stores its component at once and redraws the view; closing undoes nothing.

#include <wx/dialog.h>

#include <memory>

#include "dialogs/invalidate_view.h"
#include "dialogs/spin_field.h"

struct VectorDialogLayout {
    const char* caption;
    int closeId;
    const char* labels[3];  // X, Y, Z
    int factor;
    int lower;
    int upper;
};

// Edit ids of X, Y, Z and the ids of their spins, shared by the whole family.
inline constexpr int kVectorEditIds[3] = {1008, 1009, 1010};
inline constexpr int kVectorSpinCommands[3] = {40025, 40026, 40027};

class VectorDialog : public wxDialog {
  public:
    // components points at the three stored values, which must outlive the dialog.
    VectorDialog(wxWindow* parent, const VectorDialogLayout& layout, float* components,
                 InvalidateView invalidateView);
    ~VectorDialog() override;

    SpinField& field(int component) { return *fields_[component]; }

  protected:
    // Runs first on every spin notification, whichever spin sent it.
    virtual void BeforeNotification() {}
    // Runs after a component's spin notification has been stored.
    virtual void AfterNotification(int /*component*/) {}
    void Invalidate() { invalidateView_(); }

  private:
    void OnSpinNotification(int component);

    float* components_;
    int factor_;
    InvalidateView invalidateView_;
    std::unique_ptr<SpinField> fields_[3];
};
