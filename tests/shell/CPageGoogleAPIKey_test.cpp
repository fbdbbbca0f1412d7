#include "shell/CPageGoogleAPIKey.h"

#include <gtest/gtest.h>

#include <wx/textctrl.h>

#include "PageTestSupport.h"

namespace trackalbum {
namespace {

class PageGoogleAPIKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        page = ShowInFrame<CPageGoogleAPIKey>(frame, [this](wxWindow* parent) {
            return new CPageGoogleAPIKey(parent, model);
        });
    }
    void TearDown() override { frame->Destroy(); }
    wxTextCtrl* Field(const char* name) { return Find<wxTextCtrl>(page, name); }

    ApiKeyPage model;
    wxFrame* frame = nullptr;
    CPageGoogleAPIKey* page = nullptr;
};

TEST_F(PageGoogleAPIKeyTest, ShowsTheSettingsAndReadsThemBackAsUtf8) {
    EXPECT_EQ(Field("APIKey")->GetValue(), "");
    EXPECT_EQ(Field("APIHost")->GetValue() + Field("IconHost")->GetValue(), "..");
    EXPECT_EQ(Field("AerialTileAttribution")->GetValue(),
              L"<a href=\"https://maps.gsi.go.jp/development/ichiran.html\">地理院タイル</a>");
    EXPECT_EQ(Field("NormalTileMaxZoom")->GetValue() + Field("OverlayTileUrl")->GetValue(), "19");

    model.SetAPIKey("ABQ\xE9\x8D\xB5");  // "ABQ鍵"
    page->TransferDataToWindow();
    EXPECT_EQ(Field("APIKey")->GetValue(), L"ABQ鍵");
    Field("APIKey")->ChangeValue(L"キー&<>\"");
    Field("APIHost")->ChangeValue("https://maps.example.org");
    Field("OverlayTileUrl")->ChangeValue("https://tiles.example.org/{z}/{x}/{y}.png?key={key}");
    Field("AerialTileMaxZoom")->ChangeValue(" 30 ");
    EXPECT_TRUE(page->TransferDataFromWindow());
    EXPECT_EQ(model.GetAPIKey(), "\xE3\x82\xAD\xE3\x83\xBC&<>\"");
    EXPECT_EQ(model.GetAPIHost(), "https://maps.example.org");
    EXPECT_EQ(model.GetIconHost(), ".");
    EXPECT_EQ(model.GetOverlayTileUrl(), "https://tiles.example.org/{z}/{x}/{y}.png?key={key}");
    // A zoom beyond what tile services offer is held at the highest one, and shown so.
    EXPECT_EQ(model.GetAerialTileMaxZoom(), 22);
    EXPECT_EQ(Field("AerialTileMaxZoom")->GetValue(), "22");
}

TEST_F(PageGoogleAPIKeyTest, AZoomThatIsNoNumberIsReportedAndKeepsTheOldValue) {
    Field("NormalTileMaxZoom")->ChangeValue("high");
    Field("OverlayTileMaxZoom")->ChangeValue("5");
    MessageBoxScript boxes;
    EXPECT_FALSE(page->TransferDataFromWindow());
    EXPECT_EQ(boxes.GetTexts(), std::vector<std::string>{"整数を入力してください。"});
    EXPECT_EQ(model.GetNormalTileMaxZoom(), 19);
    EXPECT_EQ(model.GetOverlayTileMaxZoom(), 18);
}

}  // namespace
}  // namespace trackalbum
