#pragma once
// Sets the diffuse, specular and ambient colours of the current object, component by component
// with spin arrows or a whole colour at once with the colour picker.

#include <wx/dialog.h>

#include <memory>

#include "dialogs/invalidate_view.h"
#include "dialogs/spin_field.h"
#include "dialogs/user_prompts.h"
#include "scene/text_object.h"

inline constexpr int kMaterialCloseId = 1020;
// Per column (diffuse, specular, ambient): edits R, G, B, spins R, G, B, picker button.
inline constexpr int kMaterialEditIds[3][3] = {
    {1017, 1018, 1019}, {1011, 1012, 1013}, {1014, 1015, 1016}};
inline constexpr int kMaterialSpinCommands[3][3] = {
    {40025, 40026, 40027}, {40028, 40029, 40030}, {40031, 40032, 40033}};
inline constexpr int kMaterialPickerIds[3] = {1030, 1031, 1032};

class MaterialDialog : public wxDialog {
  public:
    MaterialDialog(wxWindow* parent, TextObject& object, UserPrompts& prompts,
                   InvalidateView invalidateView);
    ~MaterialDialog() override;

    SpinField& field(int column, int component) { return *fields_[column][component]; }

  private:
    float* Colour(int column) const;
    void OnSpinNotification(int column, int component);
    void OnPicker(int column);

    TextObject& object_;
    UserPrompts& prompts_;
    InvalidateView invalidateView_;
    std::unique_ptr<SpinField> fields_[3][3];
};
