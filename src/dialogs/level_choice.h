#pragma once
// The antialias level as the picture dialogs offer it: "none", then each level's passes.

#include <wx/choice.h>

wxChoice* NewLevelChoice(wxWindow* parent, int id, int level);
// 1 for none, else the passes of the chosen level.
int ChosenLevel(const wxChoice& choice);
