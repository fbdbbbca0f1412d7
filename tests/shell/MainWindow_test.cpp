// The main window and the panel as a user meets them at start, and what the command line
// fills in.
#include <gtest/gtest.h>

#include <filesystem>

#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "shell/CTimeZoneCB.h"
#include "shell/ShellTestSupport.h"

namespace trackalbum {
namespace {

TEST(MainWindow, StartsWithTheViewTheStatusBarAndAPanelThatCannotBeClosed) {
    ProgramUnderTest program;
    CMainFrame& frame = program.Frame();
    EXPECT_EQ(frame.GetMenuBar(), nullptr);
    EXPECT_EQ(frame.GetToolBar(), nullptr);
    EXPECT_FALSE(frame.GetIcons().IsEmpty());
    ASSERT_NE(frame.GetStatusBar(), nullptr);
    ASSERT_EQ(frame.GetStatusBar()->GetFieldsCount(), 4);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0).utf8_string(), "レディ");
    EXPECT_EQ(frame.GetTitle(), "Trackalbum");
    EXPECT_EQ(program.View().GetLoadedCount(), 0);  // blank until Apply shows a page

    COperationDlg& panel = program.Panel();
    EXPECT_EQ(panel.GetTitle().utf8_string(), "操作パネル");
    EXPECT_EQ(panel.GetParent(), &frame);
    EXPECT_FALSE(panel.HasFlag(wxCLOSE_BOX) || panel.HasFlag(wxSYSTEM_MENU));
    wxNotebook* tabs = panel.GetTabs();
    std::string labels;
    for (size_t tab = 0; tab < tabs->GetPageCount(); ++tab) labels += tabs->GetPageText(tab).utf8_string() + "|";
    EXPECT_EQ(labels, "GPS/写真データ|地図設定|写真リスト|Google API Key|");
    EXPECT_EQ(tabs->GetSelection(), 0);
    EXPECT_EQ(panel.GetApplyButton()->GetLabel().utf8_string(), "適用");
    // A page not shown yet follows its model too: "おまかせ" is on, so the zoom is greyed.
    wxWindow* mapPage = panel.GetPage(COperationDlg::TabMapProperty);
    EXPECT_FALSE(mapPage->IsShownOnScreen());
    EXPECT_FALSE(wxWindow::FindWindowByName("ZoomLevel", mapPage)->IsThisEnabled());

    // The Apply button sits at the right end of the tab row, clear of the last tab.
    const wxRect row = tabs->GetRect(), button = panel.GetApplyButton()->GetRect();
    EXPECT_LE(button.GetRight(), row.GetRight());
    EXPECT_GT(button.x, row.GetRight() - 2 * button.width);
    EXPECT_GE(button.y, row.y);
    EXPECT_LE(button.GetBottom(), row.y + program.Page().GetPosition().y);
    long flags = 0;
    const wxPoint underButton(button.x - row.x + button.width / 2, button.y - row.y + button.height / 2);
    EXPECT_EQ(tabs->HitTest(underButton, &flags), wxNOT_FOUND);

    // Nor can it be closed, by the window manager or by the keys that close dialogs.
    EXPECT_FALSE(panel.Close());
    for (int key : {WXK_ESCAPE, WXK_RETURN}) {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = key;
        event.SetEventObject(&panel);
        panel.ProcessWindowEvent(event);
    }
    Pump(50);  // a close the keys might have queued
    EXPECT_TRUE(panel.IsShown());
    EXPECT_TRUE(program.Page().GetStatusBox()->GetLabel().Strip(wxString::both).empty());
}

TEST(MainWindow, TimeZoneListHoldsTheWholeHoursAndStartsAtPlusNine) {
    ProgramUnderTest program;
    CTimeZoneCB* zones = program.Page().GetTimeZoneBox();
    ASSERT_EQ(zones->GetCount(), 25u);
    EXPECT_EQ(zones->GetString(0) + zones->GetString(3) + zones->GetString(12) + zones->GetString(24), "-12 -9 +0+12");
    EXPECT_EQ(zones->GetValue(), " +9");
    // What the user picks is what Apply uses; nothing picked reads as -13.
    for (const auto& [hours, zoneSeconds] : {std::pair{9, 32400}, {-12, -43200}, {12, 43200}, {13, -13 * 3600}}) {
        zones->SetTimeZoneHours(hours);
        program.Panel().TransferDataFromWindow();
        EXPECT_EQ(program.Model().GetZoneSeconds(), zoneSeconds) << hours;
    }
}

TEST(MainWindow, CommandLineFillsThePathsAndMovesToTheGpxFolder) {
    const test::ScratchFolder scratch;
    const std::string elsewhere = scratch.Path();
    DesktopCommandLine line;
    line.GpxFile = elsewhere + "/trip.gpx";
    line.PhotoFolder = "/media/card";
    line.WorkingFolder = elsewhere;
    {
        ProgramUnderTest program(line);
        EXPECT_EQ(program.Page().GetGpsFileEdit()->GetValue().utf8_string(), line.GpxFile);
        EXPECT_EQ(program.Page().GetPhotoFolderEdit()->GetValue().utf8_string(), "/media/card");
        EXPECT_EQ(std::filesystem::current_path().string(), elsewhere);
        EXPECT_TRUE(program.Page().GetCopyButton()->IsEnabled());
        // Nothing runs before Apply.
        EXPECT_FALSE(program.View().HasPage());
        EXPECT_FALSE(std::filesystem::exists(elsewhere + "/html"));
    }
}

TEST(MainWindow, LockIndicatorsFollowTheKeys) {
    ProgramUnderTest program;
    auto shown = [&] { return program.Frame().GetStatusBar()->GetStatusText(CMainFrame::PaneCaps); };
    const bool capsWasOn = wxGetKeyState(WXK_CAPITAL);
    wxUIActionSimulator keys;
    keys.Char(WXK_CAPITAL);
    ASSERT_TRUE(PumpUntil([&] { return wxGetKeyState(WXK_CAPITAL) != capsWasOn; }, 3000));
    program.Frame().UpdateKeyIndicators();
    EXPECT_EQ(shown(), capsWasOn ? "" : "CAP");
    keys.Char(WXK_CAPITAL);
    ASSERT_TRUE(PumpUntil([&] { return wxGetKeyState(WXK_CAPITAL) == capsWasOn; }, 3000));
    // The frame's own timer notices without being asked.
    EXPECT_TRUE(PumpUntil([&] { return shown() == (capsWasOn ? "CAP" : ""); }, 3000));
}

}  // namespace
}  // namespace trackalbum
