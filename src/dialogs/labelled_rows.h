#pragma once
// The property dialogs' grid of fields: a label on the left of each control, one row each.

#include <wx/sizer.h>
#include <wx/window.h>

#include <initializer_list>
#include <utility>

// labelled: UTF-8 label and its control, in order from top to bottom.
wxFlexGridSizer* LabelledRows(wxWindow* parent,
                              std::initializer_list<std::pair<const char*, wxWindow*>> labelled);
