#pragma once
// The real pickers and message boxes of the platform.

#include <wx/colourdata.h>

#include <string>

#include "dialogs/user_prompts.h"
#include "text/font_resolver.h"

// The face the font picker opens on: the stored name when the toolkit knows it, else the face the
// name resolves to (an alias such as "ＭＳ 明朝" names no installed face).
std::string PickerFaceName(FontResolver& fonts, const FontRequest& request);

class WxUserPrompts : public UserPrompts {
  public:
    // fonts: asked whether a chosen face has Japanese, as the glyph builder will see it.
    explicit WxUserPrompts(FontResolver& fonts);
    MessageAnswer ShowMessage(wxWindow* owner, const std::string& text, const std::string& caption,
                              MessageButtons buttons, MessageIcon icon) override;
    FileAnswer ChooseFile(wxWindow* owner, const FileRequest& request) override;
    bool ChooseColour(wxWindow* owner, unsigned char rgb[3]) override;
    FontAnswer ChooseFont(wxWindow* owner, const FontRequest& request) override;
    NumberAnswer AskNumber(wxWindow* owner, const NumberRequest& request) override;

  private:
    FontResolver& fonts_;
    // The sixteen custom colours shared by every colour picker for the life of the process.
    wxColourData customColors_;
};
