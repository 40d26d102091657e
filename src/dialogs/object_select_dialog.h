#pragma once
// Chooses one of the live text objects by its number in a list, showing it highlighted in the
// view meanwhile, and says which action the user wants next. Every action but deletion runs
// only after the dialog has ended, so it is left to the caller.

#include <wx/dialog.h>

#include <memory>
#include <vector>

#include "dialogs/document_host.h"
#include "dialogs/spin_field.h"

enum class ObjectFollowUp {
    kNone,
    kEditText,
    kColour,
    kSize,
    kRotation,
    kPosition,
    kLoadTexture,
    kDeleteTexture,
    kFont,
};

class ObjectSelectDialog : public wxDialog {
  public:
    static constexpr int kCloseId = 1025;
    static constexpr int kNumberId = 1026;
    static constexpr int kSpinCommand = 40025;
    static constexpr int kEditTextId = 11;
    static constexpr int kDeleteId = 12;
    static constexpr int kColourId = 8;
    static constexpr int kSizeId = 13;
    static constexpr int kRotationId = 3;
    static constexpr int kPositionId = 4;
    static constexpr int kLoadTextureId = 6;
    static constexpr int kDeleteTextureId = 7;
    static constexpr int kFontId = 9;

    // Lists the objects with a text; when there is one, the first becomes current and
    // highlighted. Without any, nothing is touched and the dialog must not be shown.
    explicit ObjectSelectDialog(DocumentHost& host);
    ~ObjectSelectDialog() override;

    bool HasObjects() const { return !slots_.empty(); }
    // Slot indices of the listed objects, in slot order.
    const std::vector<int>& slots() const { return slots_; }
    ObjectFollowUp followUp() const { return followUp_; }

  private:
    void BuildLayout();
    void SelectListed(int position);
    void OnSpinNotification();
    void OnDelete(wxCommandEvent& event);
    // Takes the highlight off, greys the object buttons and ends the dialog; the chosen object
    // stays current.
    void EndWith(ObjectFollowUp followUp);
    TextObject* Current();

    DocumentHost& host_;
    std::vector<int> slots_;
    std::unique_ptr<SpinField> number_;
    ObjectFollowUp followUp_ = ObjectFollowUp::kNone;
};
