#pragma once
// The menu bar and the object popup menu, with the captions, ids and order users know.

#include <wx/menu.h>

wxMenuBar* CreateMainMenuBar();
// The popup shown over a picked object; the caller owns it.
wxMenu* CreateObjectMenu();
