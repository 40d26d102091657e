#include "dialogs/antialias_dialog.h"

#include <wx/evtloop.h>
#include <wx/sizer.h>

#include "render/antialias.h"
#include "resources/texts.h"

AntialiasDialog::AntialiasDialog(wxWindow* owner, Renderer& renderer, int level)
    : wxDialog(owner, wxID_ANY, wxString::FromUTF8(texts::kAntialiasCaption), wxDefaultPosition,
               wxDefaultSize, wxCAPTION),
      renderer_(renderer),
      level_(level),
      startTimer_(this) {
    gauge_ = new wxGauge(this, wxID_ANY, JitterTableFor(level).count, wxDefaultPosition,
                         wxSize(250, 20), wxGA_HORIZONTAL | wxGA_SMOOTH);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(gauge_, 0, wxALL | wxEXPAND, 20);
    SetSizerAndFit(sizer);
    CentreOnParent();
    Bind(wxEVT_TIMER, &AntialiasDialog::OnStartTimer, this);
    // Only defers the passes until the window is on screen.
    startTimer_.StartOnce(100);
}

void AntialiasDialog::OnStartTimer(wxTimerEvent&) {
    RunPasses();
    EndModal(0);
}

void AntialiasDialog::RunPasses() {
    AntialiasRender render(renderer_, level_);
    for (int pass = 0; pass < render.passCount(); ++pass) {
        gauge_->SetValue(pass + 1);
        gauge_->Update();
        // Lets the bar show its progress; the view's paints draw nothing meanwhile.
        wxEventLoopBase* loop = wxEventLoopBase::GetActive();
        if (loop) {
            loop->YieldFor(wxEVT_CATEGORY_UI);
        }
        render.RunPass(pass);
        ++passesRun_;
    }
    render.Finish();
}

void RunAntialiasDialog(wxWindow* owner, Renderer& renderer, int level) {
    AntialiasDialog dialog(owner, renderer, level);
    dialog.ShowModal();
}
