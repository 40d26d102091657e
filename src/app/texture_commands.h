#pragma once
// The texture commands on a text object: put a BMP image on it, take it off again.

class CommandContext;
class TextObject;

// Asks for a BMP file (the dialog opens on the last one chosen) and puts it on the object,
// replacing its previous image; cancelling changes nothing.
void ChooseObjectTexture(CommandContext& context, TextObject& object);
// Takes the object's image off, or says that it has none.
void RemoveObjectTexture(CommandContext& context, TextObject& object);

// The menu and button commands on the current object, each followed by a redraw.
void LoadTextureCommand(CommandContext& context);
void DeleteTextureCommand(CommandContext& context);
