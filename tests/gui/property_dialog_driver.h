#pragma once
// Drives the property dialogs through their controls, found by id, as a user's clicks would.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

#include <string>

#include "dialogs/command_ids.h"

// An arrow press on the spin numbered after spinCommand: +1 up, -1 down.
inline void PressArrow(wxWindow* dialog, int spinCommand, int direction) {
    auto* spin = wxDynamicCast(dialog->FindWindow(ToWxId(spinCommand)), wxSpinButton);
    ASSERT_NE(spin, nullptr) << "no spin " << spinCommand;
    wxSpinEvent event(direction > 0 ? wxEVT_SPIN_UP : wxEVT_SPIN_DOWN, spin->GetId());
    event.SetEventObject(spin);
    spin->GetEventHandler()->ProcessEvent(event);
}

inline std::string EditText(wxWindow* dialog, int editId) {
    auto* edit = wxDynamicCast(dialog->FindWindow(editId), wxTextCtrl);
    return edit ? edit->GetValue().utf8_string() : "<no edit " + std::to_string(editId) + ">";
}

inline void ClickButton(wxWindow* dialog, int wxId) {
    auto* button = wxDynamicCast(dialog->FindWindow(wxId), wxButton);
    ASSERT_NE(button, nullptr) << "no button " << wxId;
    wxCommandEvent event(wxEVT_BUTTON, wxId);
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

// Toggles the box the way a click does, then lets the dialog react.
inline void ClickCheckBox(wxWindow* dialog, int id) {
    auto* box = wxDynamicCast(dialog->FindWindow(id), wxCheckBox);
    ASSERT_NE(box, nullptr) << "no check box " << id;
    box->SetValue(!box->GetValue());
    wxCommandEvent event(wxEVT_CHECKBOX, id);
    event.SetEventObject(box);
    event.SetInt(box->GetValue() ? 1 : 0);
    box->GetEventHandler()->ProcessEvent(event);
}

inline bool IsChecked(wxWindow* dialog, int id) {
    auto* box = wxDynamicCast(dialog->FindWindow(id), wxCheckBox);
    return box && box->GetValue();
}

inline std::string LabelOf(wxWindow* dialog, int id) {
    wxWindow* window = dialog->FindWindow(id);
    return window ? window->GetLabel().utf8_string() : "<no control " + std::to_string(id) + ">";
}

// Counts the redraw requests a dialog makes.
struct ViewInvalidations {
    int count = 0;
    std::function<void()> callback() {
        return [this] { ++count; };
    }
};
