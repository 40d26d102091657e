#pragma once
// Drives the property dialogs through their controls, found by id, as a user's clicks would.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/spinctrl.h>
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

// Picks an item of a choice as the user's selection does, then lets the dialog react.
inline void ChooseItem(wxWindow* dialog, int id, int item) {
    auto* choice = wxDynamicCast(dialog->FindWindow(id), wxChoice);
    ASSERT_NE(choice, nullptr) << "no choice " << id;
    choice->SetSelection(item);
    wxCommandEvent event(wxEVT_CHOICE, id);
    event.SetEventObject(choice);
    event.SetInt(item);
    choice->GetEventHandler()->ProcessEvent(event);
}

inline void ClickRadio(wxWindow* dialog, int id) {
    auto* radio = wxDynamicCast(dialog->FindWindow(id), wxRadioButton);
    ASSERT_NE(radio, nullptr) << "no radio button " << id;
    radio->SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, id);
    event.SetEventObject(radio);
    radio->GetEventHandler()->ProcessEvent(event);
}

// Types a value into a spin field with a fraction, then lets the dialog react.
inline void SetSpinValue(wxWindow* dialog, int id, double value) {
    auto* spin = wxDynamicCast(dialog->FindWindow(id), wxSpinCtrlDouble);
    ASSERT_NE(spin, nullptr) << "no spin field " << id;
    spin->SetValue(value);
    wxSpinDoubleEvent event(wxEVT_SPINCTRLDOUBLE, id);
    event.SetEventObject(spin);
    event.SetValue(spin->GetValue());
    spin->GetEventHandler()->ProcessEvent(event);
}

inline double SpinValue(wxWindow* dialog, int id) {
    auto* spin = wxDynamicCast(dialog->FindWindow(id), wxSpinCtrlDouble);
    return spin ? spin->GetValue() : -1.0;
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
