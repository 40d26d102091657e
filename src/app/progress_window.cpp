#include "app/progress_window.h"

#include <wx/button.h>

#include "resources/texts.h"

std::unique_ptr<wxProgressDialog> OpenCancellableProgress(wxWindow* owner, const char* caption,
                                                          const char* message) {
    auto progress = std::make_unique<wxProgressDialog>(
        wxString::FromUTF8(caption), wxString::FromUTF8(message), 1000, owner,
        wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_AUTO_HIDE);
    // The toolkit's own label follows the locale; the program's buttons are Japanese.
    if (auto* cancel = wxDynamicCast(progress->FindWindow(wxID_CANCEL), wxButton)) {
        cancel->SetLabel(wxString::FromUTF8(texts::kSizedCaptureCancel));
    }
    return progress;
}
