#pragma once
// The picture dialogs' common layout: labelled fields and the transparency box on the left, the
// preview under its label on the right, OK and Cancel below.

#include <wx/dialog.h>

#include <utility>
#include <vector>

struct PictureDialogParts {
    std::vector<std::pair<const char*, wxWindow*>> fields;  // label, control
    wxWindow* transparent = nullptr;
    const char* previewLabel = nullptr;
    wxWindow* preview = nullptr;
    const char* okLabel = nullptr;
};

// Sizes the dialog to its parts and centres it on its parent.
void LayOutPictureDialog(wxDialog& dialog, const PictureDialogParts& parts);
