#pragma once
// The commands on text objects: new, edit, delete and font.

class MainFrame;

// Marks the scene modified, then opens the text dialog on the lowest free slot, or tells the user
// that all slots are in use.
void NewObject(MainFrame& frame);
void EditObjectText(MainFrame& frame);
// Asks first; on Yes the slot is reset but stays the current object.
void DeleteCurrentObject(MainFrame& frame);
void ChangeObjectFont(MainFrame& frame);
