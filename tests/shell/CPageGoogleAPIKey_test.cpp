#include "shell/CPageGoogleAPIKey.h"

#include <gtest/gtest.h>

#include <wx/choice.h>

#include "ShellTestSupport.h"

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
    wxChoice* Service(const char* layer) { return Find<wxChoice>(page, (std::string(layer) + "Service").c_str()); }
    std::string Shown(const char* layer) { return Service(layer)->GetStringSelection().utf8_string(); }
    // As the user picks an entry: the selection, then the event.
    void Choose(const char* layer, const wxString& label) {
        wxChoice* choice = Service(layer);
        ASSERT_NE(choice->FindString(label), wxNOT_FOUND) << label;
        choice->SetSelection(choice->FindString(label));
        wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
        event.SetEventObject(choice);
        event.SetInt(choice->GetSelection());
        choice->GetEventHandler()->ProcessEvent(event);
    }
    std::string Layer(const std::string& layer) {
        return (Field((layer + "Url").c_str())->GetValue() + "|" + Field((layer + "Attribution").c_str())->GetValue() +
                "|" + Field((layer + "MaxZoom").c_str())->GetValue()).utf8_string();
    }

    ApiKeyPage model;
    wxFrame* frame = nullptr;
    CPageGoogleAPIKey* page = nullptr;
};

TEST_F(PageGoogleAPIKeyTest, ShowsTheSettingsAndReadsThemBackAsUtf8) {
    EXPECT_EQ(Field("APIKey")->GetValue() + "|" + Field("APIHost")->GetValue() + "|" + Field("IconHost")->GetValue(),
              "|.|.");
    EXPECT_EQ(Layer("OverlayTile"), "||18");

    model.SetAPIKey("ABQ\xE9\x8D\xB5");  // "ABQ鍵"
    page->TransferDataToWindow();
    EXPECT_EQ(Field("APIKey")->GetValue(), L"ABQ鍵");
    Field("APIKey")->ChangeValue(L"キー&<>\"");
    Field("APIHost")->ChangeValue("https://maps.example.org");
    Field("OverlayTileUrl")->ChangeValue("https://tiles.example.org/{z}/{x}/{y}.png?key={key}");
    Field("AerialTileMaxZoom")->ChangeValue(" 30 ");
    EXPECT_TRUE(page->TransferDataFromWindow());
    EXPECT_EQ(model.GetAPIKey(), "\xE3\x82\xAD\xE3\x83\xBC&<>\"");
    EXPECT_EQ(model.GetAPIHost() + " " + model.GetOverlayTileUrl(),
              "https://maps.example.org https://tiles.example.org/{z}/{x}/{y}.png?key={key}");
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
    EXPECT_EQ(model.GetNormalTileMaxZoom(), 18);
    EXPECT_EQ(model.GetOverlayTileMaxZoom(), 18);
}

TEST_F(PageGoogleAPIKeyTest, AReadyServiceFillsItsLayerAndTheChoiceFollowsTheFields) {
    const std::string gsi = "<a href=\"https://maps.gsi.go.jp/development/ichiran.html\">地理院タイル</a>";
    EXPECT_EQ(Shown("NormalTile") + "," + Shown("AerialTile") + "," + Shown("OverlayTile"),
              "地理院地図 標準,地理院 航空写真,なし");
    EXPECT_EQ(Service("NormalTile")->GetCount(), 5u);  // no "なし" for a layer that must show something

    Choose("NormalTile", L"地理院地図 淡色");
    EXPECT_EQ(Layer("NormalTile"), "https://cyberjapandata.gsi.go.jp/xyz/pale/{z}/{x}/{y}.png|" + gsi + "|18");
    Choose("OverlayTile", "OpenStreetMap");
    EXPECT_EQ(Layer("OverlayTile"), "https://tile.openstreetmap.org/{z}/{x}/{y}.png|&copy; <a href=\""
                                    "https://www.openstreetmap.org/copyright\">OpenStreetMap</a> contributors|19");
    // "その他" keeps what the fields hold, to be edited.
    Choose("OverlayTile", L"その他");
    EXPECT_EQ(Shown("OverlayTile"), "その他");
    EXPECT_EQ(Layer("OverlayTile").substr(0, 30), "https://tile.openstreetmap.org");
    ASSERT_TRUE(page->TransferDataFromWindow());
    EXPECT_EQ(model.GetNormalTileUrl(), "https://cyberjapandata.gsi.go.jp/xyz/pale/{z}/{x}/{y}.png");
    EXPECT_EQ(model.GetOverlayTileMaxZoom(), 19);

    // Typing: a field that no longer matches shows "その他"; typing a service's values back shows it.
    Field("NormalTileMaxZoom")->SetValue("x");
    EXPECT_EQ(Shown("NormalTile"), "その他");
    Field("NormalTileMaxZoom")->SetValue("18");
    EXPECT_EQ(Shown("NormalTile"), "地理院地図 淡色");
}

}  // namespace
}  // namespace trackalbum
