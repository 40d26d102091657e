#pragma once
// How many modal dialogs are open in the process, the toolkit's own pickers and message boxes
// included: while one is, nothing from outside may change the document under it.

#include <wx/modalhook.h>

class ModalDialogCount : public wxModalDialogHook {
  public:
    ModalDialogCount() { Register(); }
    bool AnyOpen() const { return open_ > 0; }

  protected:
    int Enter(wxDialog*) override {
        ++open_;
        return wxID_NONE;
    }
    void Exit(wxDialog*) override { --open_; }

  private:
    int open_ = 0;
};
