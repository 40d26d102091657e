#pragma once
// The one place every command id arrives, from the menus, the popup menu, the toolbar and the
// keys. Ids without an action do nothing.

class MainFrame;

void DispatchCommand(MainFrame& frame, int commandId);
