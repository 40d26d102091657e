// The window as it starts: caption, menus, popup menu, toolbar and keys.
#include <wx/accel.h>
#include <wx/event.h>
#include <wx/menu.h>

#include <vector>

#include "app/command_dispatch.h"
#include "app/toolbar.h"
#include "gui/shell_fixture.h"
#include "resources/texts.h"

namespace {

// Ids of a menu in order, 0 for a separator.
std::vector<int> MenuIds(const wxMenu& menu) {
    std::vector<int> ids;
    for (const wxMenuItem* item : menu.GetMenuItems()) {
        ids.push_back(item->IsSeparator() ? 0 : FromWxId(item->GetId()));
    }
    return ids;
}

int CommandForKey(const wxAcceleratorTable& table, int keyCode, bool control, bool shift = false) {
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = keyCode;
    event.m_controlDown = control;
    event.m_shiftDown = shift;
    const int id = table.GetCommand(event);
    return id == -1 ? -1 : FromWxId(id);
}

}  // namespace

TEST_F(ShellTest, StartsAsANewSceneWithTheObjectButtonsGreyed) {
    EXPECT_EQ(frame->GetTitle().utf8_string(), "Vellumarkライター　version 5.00  [新規作成]");
    wxToolBar* toolbar = frame->toolbar();
    ASSERT_EQ(toolbar->GetToolsCount(), 22u);
    const std::vector<int> expectedOrder = {40008, 40024, 40060, 0,     40011, 40018, 40013, 40015,
                                            40014, 40016, 40019, 40012, 40020, 0,     40021, 40022,
                                            40023, 0,     40025, 40027, 0,     40029};
    for (size_t position = 0; position < expectedOrder.size(); ++position) {
        const wxToolBarToolBase* tool = toolbar->GetToolByPos(static_cast<int>(position));
        ASSERT_NE(tool, nullptr);
        const int command = tool->IsSeparator() ? 0 : FromWxId(tool->GetId());
        EXPECT_EQ(command, expectedOrder[position]) << "position " << position;
    }
    for (const int command : kObjectButtonCommands) {
        EXPECT_FALSE(ToolEnabled(command)) << command;
    }
    for (const int command : kShellButtonCommands) {
        EXPECT_TRUE(ToolEnabled(command)) << command;
    }
    EXPECT_EQ(toolbar->GetToolShortHelp(ToWxId(40060)).utf8_string(),
              "アンチエリアス処理プレビュー");
    EXPECT_EQ(toolbar->GetToolShortHelp(ToWxId(40016)).utf8_string(), "傾きの変更");
    EXPECT_EQ(toolbar->GetToolShortHelp(ToWxId(40029)).utf8_string(), "ヘルプの表示");
}

TEST_F(ShellTest, MenuBarHasItsMenusItemsAndCaptionsInOrder) {
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 5u);
    const char* titles[] = {"ファイル(&F)", "キャプチャ(&C)", "編集(&E)", "表示(&V)", "ヘルプ(&H)"};
    const std::vector<std::vector<int>> ids = {
        {40065, 40071, 40066, 40072, 0, 40074, 40064, 0, 40002},
        {40024, 40073, 40075, 40077},
        {40080, 40081, 0, 40008, 40026, 0, 40027, 40025, 40028},
        {40003, 40023, 40060, 0, 40021, 40022},
        {40029, 40004},
    };
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(bar->GetMenuLabel(i).utf8_string(), titles[i]);
        EXPECT_EQ(MenuIds(*bar->GetMenu(i)), ids[i]) << titles[i];
    }
    // The captions name the keys as users know them, but wx must not derive keys from them:
    // only the key table decides (Ctrl+B is not object selection).
    const wxMenuItem* selection = bar->FindItem(ToWxId(40026));
    EXPECT_EQ(selection->GetItemLabel().utf8_string(), "オブジェクトの選択(&S)        Ctrl+B");
    EXPECT_EQ(selection->GetAccel(), nullptr);
    EXPECT_EQ(bar->FindItem(ToWxId(40022))->GetItemLabel().utf8_string(),
              "ズームアウト(&O)                Crtl+O");
    EXPECT_EQ(bar->FindItem(ToWxId(40008))->GetItemLabel().utf8_string(),
              "新規オブジェクトの作成(&N)　Ctrl+N");
    EXPECT_EQ(bar->FindItem(ToWxId(40080))->GetItemLabel().utf8_string(), "元に戻す(&U)　Ctrl+Z");
    EXPECT_EQ(bar->FindItem(ToWxId(40081))->GetItemLabel().utf8_string(), "やり直し(&R)　Ctrl+Y");
    EXPECT_EQ(bar->FindItem(ToWxId(40074))->GetItemLabel().utf8_string(),
              "3Dモデルのエクスポート(&E)...");
    EXPECT_EQ(bar->FindItem(ToWxId(40075))->GetItemLabel().utf8_string(),
              "サイズを指定してキャプチャ(&Z)...");
}

TEST_F(ShellTest, ObjectMenuListsTheObjectCommands) {
    ASSERT_NE(frame->objectMenu(), nullptr);
    EXPECT_EQ(MenuIds(*frame->objectMenu()),
              (std::vector<int>{40011, 40018, 0, 40013, 40019, 0, 40014, 40015, 40016, 0, 40012,
                                40020, 0, 40076}));
    EXPECT_EQ(frame->objectMenu()->FindItem(ToWxId(40018))->GetItemLabel().utf8_string(),
              "このオブジェクトを削除(&D)");
}

TEST_F(ShellTest, KeysIssueTheirCommands) {
    const wxAcceleratorTable* table = frame->GetAcceleratorTable();
    ASSERT_TRUE(table->IsOk());
    EXPECT_EQ(CommandForKey(*table, 'B', true), 40024);
    EXPECT_EQ(CommandForKey(*table, 'S', true), 40023);
    EXPECT_EQ(CommandForKey(*table, 'I', true), 40021);
    EXPECT_EQ(CommandForKey(*table, 'O', true), 40022);
    EXPECT_EQ(CommandForKey(*table, 'N', true), 40008);
    EXPECT_EQ(CommandForKey(*table, 'R', true), 40003);
    EXPECT_EQ(CommandForKey(*table, WXK_F1, false), 40029);
    EXPECT_EQ(CommandForKey(*table, 'Z', true), 40080);
    EXPECT_EQ(CommandForKey(*table, 'Y', true), 40081);
    EXPECT_EQ(CommandForKey(*table, 'Z', true, true), 40081);
    // Nothing else is a key: not plain letters, not Ctrl+A.
    EXPECT_EQ(CommandForKey(*table, 'B', false), -1);
    EXPECT_EQ(CommandForKey(*table, 'A', true), -1);
}

TEST_F(ShellTest, RegionCaptureLocksEverythingAndUnlockLeavesObjectButtonsOff) {
    scene->currentObject = 2;
    scene->objects[2].highlighted = 1;
    frame->context().EnableObjectButtons();
    DispatchCommand(frame->context(), 40073);
    EXPECT_EQ(frame->ui().mouse.regionArmed, 1);
    EXPECT_EQ(scene->currentObject, -1);
    EXPECT_EQ(scene->objects[2].highlighted, 0);
    wxMenuBar* bar = frame->GetMenuBar();
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) {
        EXPECT_FALSE(bar->IsEnabledTop(i)) << i;
    }
    for (const ToolButton& button : kToolButtons) {
        if (button.command != 0) {
            EXPECT_FALSE(ToolEnabled(button.command)) << button.command;
        }
    }
    frame->UnlockAfterRegionCapture();
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) {
        EXPECT_TRUE(bar->IsEnabledTop(i)) << i;
    }
    for (const int command : kShellButtonCommands) {
        EXPECT_TRUE(ToolEnabled(command)) << command;
    }
    for (const int command : kObjectButtonCommands) {
        EXPECT_FALSE(ToolEnabled(command)) << command;
    }
}

TEST_F(ShellTest, MenuEventsReachTheDispatcher) {
    wxCommandEvent event(wxEVT_MENU, ToWxId(40023));
    frame->ProcessWindowEvent(event);
    EXPECT_EQ(scene->view.showGuides, 1);
    wxCommandEvent preview(wxEVT_MENU, ToWxId(40060));
    frame->ProcessWindowEvent(preview);
    EXPECT_EQ(frame->ui().previewRequested, 1);
}
