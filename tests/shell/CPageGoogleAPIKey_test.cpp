#include "shell/CPageGoogleAPIKey.h"

#include <gtest/gtest.h>

#include <wx/textctrl.h>

#include "PageTestSupport.h"

namespace trackalbum {
namespace {

TEST(PageGoogleAPIKeyTest, ExchangesTheKeyAndHostsAsUtf8) {
    ApiKeyPage model;
    wxFrame* frame = nullptr;
    auto* page = ShowInFrame<CPageGoogleAPIKey>(frame, [&](wxWindow* parent) {
        return new CPageGoogleAPIKey(parent, model);
    });
    auto field = [&](const char* name) { return Find<wxTextCtrl>(page, name); };
    EXPECT_EQ(field("APIKey")->GetValue(), "");
    EXPECT_EQ(field("APIHost")->GetValue() + field("IconHost")->GetValue(), "..");

    model.SetAPIKey("ABQ\xE9\x8D\xB5");  // "ABQ鍵"
    page->TransferDataToWindow();
    EXPECT_EQ(field("APIKey")->GetValue(), L"ABQ鍵");
    field("APIKey")->ChangeValue(L"キー&<>\"");
    field("APIHost")->ChangeValue("https://maps.example.org");
    EXPECT_TRUE(page->TransferDataFromWindow());
    EXPECT_EQ(model.GetAPIKey(), "\xE3\x82\xAD\xE3\x83\xBC&<>\"");
    EXPECT_EQ(model.GetAPIHost(), "https://maps.example.org");
    EXPECT_EQ(model.GetIconHost(), ".");
    frame->Destroy();
}

}  // namespace
}  // namespace trackalbum
