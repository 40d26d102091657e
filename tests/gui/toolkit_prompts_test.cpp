// What the platform's prompts add to the toolkit's: Japanese texts, a number prompt that refuses
// what it cannot take, messages that fit the screen, a font picker that finds alias faces.
#include <gtest/gtest.h>
#include <wx/fontenum.h>
#include <wx/stockitem.h>
#include <wx/translation.h>

#include <string>

#include "app/message_lines.h"
#include "app/toolkit_language.h"
#include "app/wx_user_prompts.h"
#include "dialogs/number_entry_dialog.h"
#include "gui/property_dialog_driver.h"
#include "resources/texts.h"
#include "support/scripted_prompts.h"
#include "support/test_glyphs.h"

namespace {

TEST(ToolkitPrompts, TheToolkitsOwnTextsAreJapanese) {
    ASSERT_TRUE(UseJapaneseToolkitTexts()) << "wx's Japanese catalogue is not installed";
    const std::string cancel = wxGetStockLabel(wxID_CANCEL).utf8_string();
    // The help window's tab.
    const std::string contents = _("Contents").utf8_string();
    wxTranslations::Set(nullptr);
    EXPECT_NE(cancel.find("キャンセル"), std::string::npos) << cancel;
    EXPECT_EQ(contents, "目次");
}

TEST(ToolkitPrompts, ThePrintSizePromptRefusesNumbersOutsideItsRange) {
    ScriptedPrompts prompts;
    NumberRequest request;
    request.caption = "size";
    request.value = 100;
    request.min = 1;
    request.max = 10000;
    NumberEntryDialog dialog(nullptr, request, prompts);
    EXPECT_EQ(LabelOf(&dialog, wxID_OK), texts::kButtonOk);
    EXPECT_EQ(LabelOf(&dialog, wxID_CANCEL), texts::kButtonCancel);
    EXPECT_EQ(EditText(&dialog, NumberEntryDialog::kValueId), "100");
    auto* field = wxDynamicCast(dialog.FindWindow(NumberEntryDialog::kValueId), wxTextCtrl);
    for (const char* refused : {"0", "10001", "12x", ""}) {
        field->SetValue(refused);
        ClickButton(&dialog, wxID_OK);
        EXPECT_EQ(dialog.GetReturnCode(), 0) << refused;
    }
    ASSERT_EQ(prompts.messages.size(), 4u);
    EXPECT_EQ(prompts.messages[0].text, "1から10000までの整数を入力してください。");
    EXPECT_EQ(prompts.messages[0].owner, &dialog);
    field->SetValue(" 250 ");
    ClickButton(&dialog, wxID_OK);
    EXPECT_EQ(dialog.GetReturnCode(), wxID_OK);
    EXPECT_EQ(dialog.value(), 250);
}

TEST(ToolkitPrompts, ALongPathIsWrappedToTheWidthAndBreaksAfterSeparators) {
    const auto measure = [](const wxString& text) { return static_cast<int>(text.length()) * 10; };
    const wxString path = "/home/user/" + wxString('d', 70) + "/" + wxString('f', 150) + ".vmk";
    const wxString text = wxString::FromUTF8("保存できません。\n") + path;
    const wxString wrapped = WrapWideLines(text, 400, measure);
    wxString joined;
    for (const wxString& line : wxSplit(wrapped, '\n', '\0')) {
        EXPECT_LE(measure(line), 400) << line;
        joined += line;
    }
    EXPECT_EQ(joined, wxString::FromUTF8("保存できません。") + path);
    EXPECT_TRUE(wrapped.StartsWith(wxString::FromUTF8("保存できません。\n/home/user/\n")))
        << wrapped;
    EXPECT_EQ(WrapWideLines("short\nlines", 400, measure), "short\nlines");
}

TEST(ToolkitPrompts, TheFontPickerOpensOnTheFaceAnAliasStandsFor) {
    FontRequest request;
    request.faceName = "ＭＳ 明朝";
    request.charSet = 128;
    const std::string face = PickerFaceName(TestFonts(), request);
    EXPECT_TRUE(wxFontEnumerator::IsValidFacename(wxString::FromUTF8(face))) << face;
    EXPECT_NE(face.find("Mincho"), std::string::npos) << face;
    request.faceName = "IPAGothic";
    EXPECT_EQ(PickerFaceName(TestFonts(), request), "IPAGothic");
}

}  // namespace
