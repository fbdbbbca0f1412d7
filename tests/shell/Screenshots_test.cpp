// Not a test: scripts/screenshots-windows.sh runs it to picture the program for the README.
// It fills the panel with the sample outing, applies, and photographs the main window and
// each page of the panel from the virtual display.
#include <gtest/gtest.h>

#include <cstdlib>

#include <wx/notebook.h>
#include <wx/webview.h>

#include "shell/ShellTestSupport.h"

namespace trackalbum {
namespace {

bool Photograph(wxWindow& window, const std::string& file) {
    const wxRect rect = window.GetScreenRect();
    const std::string command = "import -window root -crop " + std::to_string(rect.width) + "x" +
                                std::to_string(rect.height) + "+" + std::to_string(rect.x) + "+" +
                                std::to_string(rect.y) + " +repage '" + file + "'";
    return std::system(command.c_str()) == 0;
}

TEST(DISABLED_Screenshots, MainWindowAndEveryPanelPage) {
    const char* folder = std::getenv("TRACKALBUM_SCREENSHOT_DIR");
    if (folder == nullptr) GTEST_SKIP() << "TRACKALBUM_SCREENSHOT_DIR is not set";
    const std::string out = folder;

    ProgramUnderTest program;
    CPageCameraGPS& page = program.Page();
    Type(page.GetPageNameEdit(), "里山さんぽ");
    Type(page.GetGpsFileEdit(), program.SampleGpx());
    Type(page.GetPhotoFolderEdit(), program.SamplePhotos());
    SetChecked(page.GetClockCorrectionCheck(), true);
    Type(page.GetClockMinutesEdit(), "-3");
    page.GetCompressionSlider()->SetValue(100);
    MessageBoxScript boxes;
    Click(program.Panel().GetApplyButton());
    // The map's runtime has drawn the route, the markers and their icons.
    const char* drawn = "document.querySelectorAll('.leaflet-overlay-pane path').length > 0 && "
                        "document.querySelectorAll('.leaflet-marker-icon').length > 0 && "
                        "Array.from(document.images).every(image => image.complete)";
    wxString answer;
    ASSERT_TRUE(PumpUntil([&] { return program.View().GetBrowser()->RunScript(drawn, &answer) && answer == "true"; },
                          30000));
    Pump(2000);  // a picture, not a test: the map's zoom and the theme's transitions come to rest

    ASSERT_TRUE(Photograph(program.Frame(), out + "/main-window.png"));
    const struct {
        COperationDlg::Tab tab;
        const char* file;
    } pages[] = {{COperationDlg::TabCameraGps, "panel-gps-photo-data.png"},
                 {COperationDlg::TabMapProperty, "panel-map-settings.png"},
                 {COperationDlg::TabPictureList, "panel-picture-list.png"},
                 {COperationDlg::TabApiKey, "panel-api-key.png"}};
    for (const auto& shot : pages) {
        program.Panel().GetTabs()->SetSelection(shot.tab);
        Pump(500);  // the theme's transitions (the focus frame) come to rest
        ASSERT_TRUE(Photograph(program.Panel(), out + "/" + shot.file));
    }
}

}  // namespace
}  // namespace trackalbum
