#include "dialogs/object_select_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <string>

#include "dialogs/command_ids.h"
#include "resources/texts.h"
#include "scene/number_format.h"

namespace {

struct ActionButton {
    int id;
    const char* label;
    ObjectFollowUp followUp;
};

// Row by row as they stand in the dialog; deletion is handled apart since it may not end it.
constexpr int kGridIds[9] = {
    ObjectSelectDialog::kEditTextId,    ObjectSelectDialog::kDeleteId,
    ObjectSelectDialog::kColourId,      ObjectSelectDialog::kSizeId,
    ObjectSelectDialog::kRotationId,    ObjectSelectDialog::kPositionId,
    ObjectSelectDialog::kLoadTextureId, ObjectSelectDialog::kDeleteTextureId,
    ObjectSelectDialog::kFontId,
};

// In the order users tab through them.
const ActionButton kActionButtons[] = {
    {ObjectSelectDialog::kSizeId, texts::kObjectSelectSize, ObjectFollowUp::kSize},
    {ObjectSelectDialog::kRotationId, texts::kObjectSelectTilt, ObjectFollowUp::kRotation},
    {ObjectSelectDialog::kPositionId, texts::kObjectSelectPosition, ObjectFollowUp::kPosition},
    {ObjectSelectDialog::kLoadTextureId, texts::kObjectSelectLoadTexture,
     ObjectFollowUp::kLoadTexture},
    {ObjectSelectDialog::kDeleteTextureId, texts::kObjectSelectDeleteTexture,
     ObjectFollowUp::kDeleteTexture},
    {ObjectSelectDialog::kColourId, texts::kObjectSelectColour, ObjectFollowUp::kColour},
    {ObjectSelectDialog::kFontId, texts::kObjectSelectFont, ObjectFollowUp::kFont},
    {ObjectSelectDialog::kEditTextId, texts::kObjectSelectEditText, ObjectFollowUp::kEditText},
};

}  // namespace

ObjectSelectDialog::ObjectSelectDialog(DocumentHost& host)
    : wxDialog(host.window(), wxID_ANY, wxString::FromUTF8(texts::kObjectSelectCaption)),
      host_(host) {
    Scene& scene = host.scene();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!scene.objects[slot].Text().empty()) {
            slots_.push_back(slot);
        }
    }
    BuildLayout();
    if (slots_.empty()) {
        return;
    }
    auto* edit = wxDynamicCast(FindWindow(kNumberId), wxTextCtrl);
    number_ = std::make_unique<SpinField>(edit, ToWxId(kSpinCommand), 0,
                                          static_cast<int>(slots_.size()) - 1,
                                          [this] { OnSpinNotification(); });
    number_->SetText("0");
    Fit();
    CentreOnParent();

    if (TextObject* previous = Current()) {
        previous->highlighted = 0;
    }
    SelectListed(0);
    host_.EnableObjectButtons();
}

ObjectSelectDialog::~ObjectSelectDialog() = default;

void ObjectSelectDialog::BuildLayout() {
    auto* closeButton = new wxButton(this, kCloseId, wxString::FromUTF8(texts::kObjectSelectClose));
    closeButton->SetDefault();
    for (const ActionButton& action : kActionButtons) {
        new wxButton(this, action.id, wxString::FromUTF8(action.label));
        Bind(
            wxEVT_BUTTON,
            [this, followUp = action.followUp](wxCommandEvent&) { EndWith(followUp); }, action.id);
    }
    new wxButton(this, kDeleteId, wxString::FromUTF8(texts::kObjectSelectDelete));
    auto* prompt = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(texts::kObjectSelectPrompt));
    auto* edit = new wxTextCtrl(this, kNumberId, wxEmptyString, wxDefaultPosition,
                                wxSize(FromDIP(48), -1), wxTE_READONLY | wxTE_CENTRE);

    auto* numberRow = new wxBoxSizer(wxHORIZONTAL);
    numberRow->Add(edit, wxSizerFlags().Expand());
    auto* grid = new wxGridSizer(3, wxSize(FromDIP(8), FromDIP(6)));
    for (const int id : kGridIds) {
        grid->Add(FindWindow(id), wxSizerFlags().Expand());
    }
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(prompt, wxSizerFlags().Border(wxALL, FromDIP(12)));
    column->Add(numberRow, wxSizerFlags().Center().Border(wxBOTTOM, FromDIP(12)));
    column->Add(grid, wxSizerFlags().Center().Border(wxLEFT | wxRIGHT, FromDIP(12)));
    column->Add(closeButton, wxSizerFlags().Center().Border(wxALL, FromDIP(12)));
    SetSizer(column);

    // Esc and the close box act as the close button.
    SetEscapeId(kCloseId);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndWith(ObjectFollowUp::kNone); }, kCloseId);
    Bind(wxEVT_BUTTON, &ObjectSelectDialog::OnDelete, this, kDeleteId);
}

TextObject* ObjectSelectDialog::Current() {
    const int slot = host_.scene().currentObject;
    if (slot < 0 || slot >= kSlotCount) {
        return nullptr;
    }
    return &host_.scene().objects[slot];
}

void ObjectSelectDialog::SelectListed(int position) {
    Scene& scene = host_.scene();
    scene.currentObject = slots_[static_cast<size_t>(position)];
    scene.objects[scene.currentObject].highlighted = 1;
    host_.InvalidateView();
}

void ObjectSelectDialog::OnSpinNotification() {
    TextObject* previous = Current();
    if (previous != nullptr) {
        previous->highlighted = 0;
    }
    host_.InvalidateView();
    const std::optional<int> position = ParseShownInteger(number_->Text());
    if (position && *position >= 0 && *position < static_cast<int>(slots_.size())) {
        SelectListed(*position);
    } else if (previous != nullptr) {
        // A number outside the list must never index it; the selection stays.
        previous->highlighted = 1;
    }
}

void ObjectSelectDialog::OnDelete(wxCommandEvent&) {
    TextObject* object = Current();
    if (object == nullptr) {
        return;
    }
    const MessageAnswer answer = host_.prompts().ShowMessage(
        this, DeleteObjectQuestion(*object), texts::kDeleteObjectCaption, MessageButtons::kYesNo);
    if (answer != MessageAnswer::kYes) {
        return;
    }
    object->highlighted = 0;
    object->ResetObject();
    // The freed slot keeps no touched bit: the scene itself must say it changed.
    host_.scene().modified = 1;
    host_.DisableObjectButtons();
    host_.InvalidateView();
    followUp_ = ObjectFollowUp::kNone;
    EndDialog(0);
}

void ObjectSelectDialog::EndWith(ObjectFollowUp followUp) {
    if (TextObject* object = Current()) {
        object->highlighted = 0;
        // Going on to edit the object counts as picking it, so that closing asks about the edit.
        if (followUp != ObjectFollowUp::kNone) {
            object->touched = 1;
        }
    }
    host_.DisableObjectButtons();
    host_.InvalidateView();
    followUp_ = followUp;
    EndDialog(0);
}
