#pragma once
// The small modal progress window in which the antialiased passes run.

#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/timer.h>

#include "render/renderer.h"

class AntialiasDialog : public wxDialog {
  public:
    // level: the number of passes (one of the antialias levels).
    AntialiasDialog(wxWindow* owner, Renderer& renderer, int level);

    int passesRun() const { return passesRun_; }
    const wxGauge& gauge() const { return *gauge_; }

  private:
    void OnStartTimer(wxTimerEvent& event);
    void RunPasses();

    Renderer& renderer_;
    int level_;
    int passesRun_ = 0;
    wxGauge* gauge_;
    wxTimer startTimer_;
};

// Runs the dialog modally over owner; the averaged picture is then in the back buffer.
void RunAntialiasDialog(wxWindow* owner, Renderer& renderer, int level);
