// The main window and the panel as a user meets them at start, and what the command line
// fills in.
#include <gtest/gtest.h>

#include <filesystem>

#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/webview.h>

#include "shell/CTimeZoneCB.h"
#include "shell/GetVersionString.h"
#include "shell/ShellTestSupport.h"

namespace trackalbum {
namespace {

TEST(MainWindow, StartsWithTheViewTheStatusBarAndTheFloatingPanel) {
    ProgramUnderTest program;
    CMainFrame& frame = program.Frame();
    EXPECT_EQ(frame.GetMenuBar(), nullptr);
    EXPECT_EQ(frame.GetToolBar(), nullptr);
    EXPECT_FALSE(frame.GetIcons().IsEmpty());
    wxStatusBar* status = frame.GetStatusBar();
    ASSERT_NE(status, nullptr);
    ASSERT_EQ(status->GetFieldsCount(), 4);
    EXPECT_EQ(status->GetStatusText(0).utf8_string(), "レディ");
    EXPECT_EQ(frame.GetTitle(), "Trackalbum");

    // Blank until Apply shows a page.
    EXPECT_FALSE(program.View().HasPage());
    EXPECT_EQ(program.View().GetLoadedCount(), 0);

    COperationDlg& panel = program.Panel();
    EXPECT_EQ(panel.GetTitle().utf8_string(), "操作パネル");
    EXPECT_EQ(panel.GetParent(), &frame);
    EXPECT_FALSE(panel.HasFlag(wxCLOSE_BOX));
    EXPECT_FALSE(panel.HasFlag(wxSYSTEM_MENU));
    EXPECT_TRUE(panel.IsShown());
    wxNotebook* tabs = panel.GetTabs();
    ASSERT_EQ(tabs->GetPageCount(), 4u);
    const char* labels[] = {"GPS/写真データ", "地図設定", "写真リスト", "Google API Key"};
    for (size_t tab = 0; tab < 4; ++tab) EXPECT_EQ(tabs->GetPageText(tab).utf8_string(), labels[tab]);
    EXPECT_EQ(tabs->GetSelection(), 0);
    EXPECT_EQ(panel.GetApplyButton()->GetLabel().utf8_string(), "適用");
    // A page not shown yet follows its model too: "おまかせ" is on, so the zoom is greyed.
    wxWindow* mapPage = panel.GetPage(COperationDlg::TabMapProperty);
    EXPECT_FALSE(mapPage->IsShownOnScreen());
    EXPECT_FALSE(wxWindow::FindWindowByName("ZoomLevel", mapPage)->IsThisEnabled());
}

TEST(MainWindow, ApplyButtonSitsAtTheRightEndOfTheTabRow) {
    ProgramUnderTest program;
    COperationDlg& panel = program.Panel();
    const wxRect tabs = panel.GetTabs()->GetRect();
    const wxRect button = panel.GetApplyButton()->GetRect();
    const int pageTop = tabs.y + panel.GetCameraGpsPage().GetPosition().y;
    EXPECT_LE(button.GetRight(), tabs.GetRight());
    EXPECT_GT(button.x, tabs.GetRight() - 2 * button.width);
    EXPECT_GE(button.y, tabs.y);
    EXPECT_LE(button.GetBottom(), pageTop);
    // The last tab ends left of the button, so both can be clicked.
    wxNotebook* notebook = panel.GetTabs();
    long flags = 0;
    const wxPoint underButton(button.x - tabs.x + button.width / 2, button.y - tabs.y + button.height / 2);
    EXPECT_EQ(notebook->HitTest(underButton, &flags), wxNOT_FOUND);
}

TEST(MainWindow, PanelCannotBeClosed) {
    ProgramUnderTest program;
    COperationDlg& panel = program.Panel();
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
    EXPECT_EQ(zones->GetString(0), "-12");
    EXPECT_EQ(zones->GetString(3), " -9");
    EXPECT_EQ(zones->GetString(12), " +0");
    EXPECT_EQ(zones->GetString(21), " +9");
    EXPECT_EQ(zones->GetString(24), "+12");
    EXPECT_EQ(zones->GetValue(), " +9");
    EXPECT_EQ(program.Model().GetZoneSeconds(), 32400);

    // What the user picks is what Apply uses; nothing picked reads as -13.
    const struct {
        int hours, zoneSeconds;
    } picks[] = {{-12, -43200}, {12, 43200}, {13, -13 * 3600}};
    for (const auto& pick : picks) {
        zones->SetTimeZoneHours(pick.hours);
        program.Panel().TransferDataFromWindow();
        EXPECT_EQ(program.Model().GetZoneSeconds(), pick.zoneSeconds) << pick.hours;
    }
}

TEST(MainWindow, CommandLineFillsThePathsAndMovesToTheGpxFolder) {
    const std::string elsewhere = MakeTempFolder("ta-shell-gpx");
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
    std::filesystem::remove_all(elsewhere);
}

TEST(MainWindow, VersionComesFromTheBuild) {
    EXPECT_EQ(VersionOrUnknown(""), "不明");
    EXPECT_EQ(VersionOrUnknown(nullptr), "不明");
    EXPECT_EQ(VersionOrUnknown("1.4.3"), "1.4.3");
    EXPECT_NE(GetVersionString(), "不明");
}

}  // namespace
}  // namespace trackalbum

namespace trackalbum {
namespace {

TEST(MainWindow, LockIndicatorsFollowTheKeys) {
    ProgramUnderTest program;
    wxStatusBar* status = program.Frame().GetStatusBar();
    auto shown = [&] { return status->GetStatusText(CMainFrame::PaneCaps); };
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
