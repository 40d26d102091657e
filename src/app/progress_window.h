#pragma once
// The progress window of long picture work: a bar out of 1000 and a キャンセル button.

#include <wx/progdlg.h>

#include <memory>

std::unique_ptr<wxProgressDialog> OpenCancellableProgress(wxWindow* owner, const char* caption,
                                                          const char* message);
