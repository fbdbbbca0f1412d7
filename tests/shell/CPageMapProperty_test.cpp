#include "shell/CPageMapProperty.h"

#include <gtest/gtest.h>

#include <memory>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/colordlg.h>
#include <wx/dcmemory.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "shell/CColorSwatch.h"
#include "ShellTestSupport.h"

namespace trackalbum {
namespace {


class PageMapPropertyTest : public ::testing::Test {
protected:
    void SetUp() override {
        page = ShowInFrame<CPageMapProperty>(frame, [this](wxWindow* parent) {
            return new CPageMapProperty(parent, model);
        });
    }
    void TearDown() override { frame->Destroy(); }

    template <typename T = wxWindow>
    T* Control(const char* name) { return Find<T>(page, name); }
    wxString Text(const char* name) { return Control<wxTextCtrl>(name)->GetValue(); }
    bool Checked(const char* name) { return Control<wxCheckBox>(name)->GetValue(); }
    bool Enabled(const char* name) { return Control(name)->IsThisEnabled(); }

    void Press(const char* buttonName) { Click(Control<wxButton>(buttonName)); }
    // One arrow of a spin; the page must veto it so that the spin's own value never limits it.
    void Spin(const char* name, bool up) {
        wxSpinButton* spin = Control<wxSpinButton>(name);
        wxSpinEvent event(up ? wxEVT_SPIN_UP : wxEVT_SPIN_DOWN, spin->GetId());
        event.SetEventObject(spin);
        spin->ProcessWindowEvent(event);
        EXPECT_FALSE(event.IsAllowed());
    }

    MapPropertyPage model;
    wxFrame* frame = nullptr;
    CPageMapProperty* page = nullptr;
};

TEST_F(PageMapPropertyTest, FirstStartShowsTheDefaultsWithTheZoomGreyed) {
    EXPECT_EQ(Control<wxChoice>("MapType")->GetStringSelection(), L"地図");
    EXPECT_EQ(Control<wxChoice>("MapType")->GetCount(), 3u);
    EXPECT_TRUE(Control<wxRadioButton>("Controller0")->GetValue());
    EXPECT_TRUE(Control<wxRadioButton>("DisplayType0")->GetValue());
    EXPECT_EQ(Text("PathWidth") + " " + Text("ZoomLevel") + " " + Text("DisplayWidth") + "x" + Text("DisplayHeight") +
                  " " + Text("ProfWidth") + "x" + Text("ProfHeight"),
              "10 10 100x100 800x600");
    for (const char* check : {"AutoZoom", "Coloring", "IconTrace", "Scale", "Overview", "Japanese"})
        EXPECT_TRUE(Checked(check)) << check;
    EXPECT_FALSE(Checked("MapTypeBtn"));
    EXPECT_FALSE(Enabled("ZoomLevel"));
    EXPECT_FALSE(Enabled("ZoomSpin"));
    const std::pair<const char*, Color> swatches[] = {{"PathColorSwatch", MakeColor(255, 0, 0)},
                                                      {"UpColorSwatch", MakeColor(255, 0, 0)},
                                                      {"DownColorSwatch", MakeColor(0, 255, 0)},
                                                      {"FlatColorSwatch", MakeColor(0, 0, 255)}};
    for (const auto& [name, color] : swatches) EXPECT_EQ(Control<CColorSwatch>(name)->GetColor(), color) << name;
}

TEST_F(PageMapPropertyTest, LoadedValuesAreShown) {
    model.SetMapType(2);
    model.SetController(2);
    model.SetDisplayType(1);
    model.SetAutoZoom(0);
    model.SetColoring(0);
    page->TransferDataToWindow();
    EXPECT_EQ(Control<wxChoice>("MapType")->GetStringSelection(), L"地図+写真");
    EXPECT_TRUE(Control<wxRadioButton>("Controller2")->GetValue());
    EXPECT_TRUE(Control<wxRadioButton>("DisplayType1")->GetValue());
    EXPECT_TRUE(Enabled("ZoomLevel"));
    EXPECT_FALSE(Enabled("UpColorButton"));
}

TEST_F(PageMapPropertyTest, AutoZoomAndColoringEnableTheirControls) {
    SetChecked(Control<wxCheckBox>("AutoZoom"), false);
    EXPECT_TRUE(Enabled("ZoomLevel") && Enabled("ZoomSpin"));

    SetChecked(Control<wxCheckBox>("Coloring"), false);
    for (const char* name : {"UpColorButton", "DownColorButton", "FlatColorButton", "UpColorLabel", "DownColorLabel",
                             "FlatColorLabel"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_TRUE(Enabled("PathColorButton"));
}

TEST_F(PageMapPropertyTest, SpinsStepTheTypedValueAndStopAtTheEnds) {
    struct Case {
        const char* field;
        const char* spin;
        const char* typed;
        bool up;
        const char* shown;
    };
    // Where the ends are is the model's business; here: the typed text is what is stepped,
    // each arrow its own way, and the held value is what is shown.
    const Case cases[] = {
        {"ZoomLevel", "ZoomSpin", "25", false, "17"},
        {"ZoomLevel", "ZoomSpin", "5", true, "6"},
        {"PathWidth", "PathWidthSpin", "50", true, "51"},
        {"PathWidth", "PathWidthSpin", "1", false, "1"},
    };
    for (const Case& c : cases) {
        Control<wxTextCtrl>(c.field)->ChangeValue(c.typed);
        Spin(c.spin, c.up);
        EXPECT_EQ(Text(c.field), c.shown) << c.field << " " << c.typed;
    }
    // The arrows of the real control (the minus at the left, the plus at the right).
    SetChecked(Control<wxCheckBox>("AutoZoom"), false);
    Control<wxTextCtrl>("ZoomLevel")->ChangeValue("16");
    wxSpinButton* spin = Control<wxSpinButton>("ZoomSpin");
    auto arrows = std::make_shared<int>(0);
    auto count = [arrows](wxSpinEvent& event) {
        ++*arrows;
        event.Skip();
    };
    spin->Bind(wxEVT_SPIN_UP, count);
    spin->Bind(wxEVT_SPIN_DOWN, count);
    const wxRect area = spin->GetScreenRect();
    int clicks = 0;
    for (const auto& [x, shown] : {std::pair{area.GetRight() - 4, "17"}, {area.GetRight() - 4, "17"}, {area.x + 4, "16"}}) {
        ASSERT_TRUE(ClickAt(wxPoint(x, area.y + area.height / 2)));
        ++clicks;
        ASSERT_TRUE(PumpUntil([&] { return *arrows == clicks; }, 3000));
        EXPECT_EQ(Text("ZoomLevel"), shown);
    }

    // A text that is no number steps from the value the page holds.
    Control<wxTextCtrl>("PathWidth")->ChangeValue("wide");
    Spin("PathWidthSpin", true);
    EXPECT_EQ(Text("PathWidth"), "2");
    EXPECT_EQ(model.GetPathWidth(), 2);
}

TEST_F(PageMapPropertyTest, SizeAndZoomFieldsTakeOnlyDigitsAndTheWidthFieldAnyText) {
    SetChecked(Control<wxCheckBox>("AutoZoom"), false);
    frame->Raise();
    for (const auto& [name, shown] : {std::pair{"ZoomLevel", "12"}, {"ProfHeight", "12"}, {"PathWidth", "1-2x"}}) {
        wxTextCtrl* field = Control<wxTextCtrl>(name);
        field->ChangeValue("");
        const wxRect area = field->GetScreenRect();
        ASSERT_TRUE(ClickAt(area.GetPosition() + area.GetSize() / 2));
        ASSERT_TRUE(PumpUntil([&] { return field->HasFocus(); }));
        wxUIActionSimulator().Text("1-2x");
        EXPECT_TRUE(PumpUntil([&] { return field->GetValue() == shown; }, 3000)) << name << ": " << field->GetValue();
    }
}

TEST_F(PageMapPropertyTest, ReadingStoresTypedNumbersAsTypedAndStopsAtAnEmptyField) {
    Control<wxCheckBox>("MapTypeBtn")->SetValue(true);
    Control<wxTextCtrl>("ZoomLevel")->ChangeValue("25");
    Control<wxRadioButton>("Controller1")->SetValue(true);
    Control<wxTextCtrl>("DisplayWidth")->ChangeValue("640");
    Control<wxTextCtrl>("DisplayHeight")->ChangeValue("");
    Control<wxCheckBox>("IconTrace")->SetValue(false);
    Control<wxTextCtrl>("ProfWidth")->ChangeValue("1024");
    {
        MessageBoxScript boxes;
        EXPECT_FALSE(page->TransferDataFromWindow());
        EXPECT_EQ(boxes.GetTexts(), std::vector<std::string>{"整数を入力してください。"});
    }
    EXPECT_EQ(model.GetMapTypeBtn(), 1);
    EXPECT_EQ(model.GetZoomLevel(), 25);
    EXPECT_EQ(model.GetController(), 1);
    EXPECT_EQ(model.GetDisplayWidth(), 640);
    // The fields after the empty one keep what the page held before.
    EXPECT_EQ(model.GetDisplayHeight(), 100);
    EXPECT_EQ(model.GetIconTrace(), 1);
    EXPECT_EQ(model.GetProfWidth(), 800);

    Control<wxTextCtrl>("DisplayHeight")->ChangeValue(" 480 ");
    EXPECT_TRUE(page->TransferDataFromWindow());
    EXPECT_EQ(model.GetDisplayHeight(), 480);
    EXPECT_EQ(model.GetIconTrace(), 0);
    EXPECT_EQ(model.GetProfWidth(), 1024);
}

TEST_F(PageMapPropertyTest, ColourChosenOrCancelled) {
    // The system chooser opens on the current colour; cancelling it changes nothing.
    Color preselected = 0;
    {
        DialogAnswers answers([&](wxDialog* dialog) {
            auto* chooser = dynamic_cast<wxColourDialog*>(dialog);
            if (chooser != nullptr) preselected = FromWxColour(chooser->GetColourData().GetColour());
            return wxID_CANCEL;
        });
        Press("DownColorButton");
        EXPECT_EQ(answers.count, 1);
    }
    EXPECT_EQ(preselected, MakeColor(0, 255, 0));
    EXPECT_EQ(model.GetDownColor(), MakeColor(0, 255, 0));
    EXPECT_EQ(Control<CColorSwatch>("DownColorSwatch")->GetColor(), MakeColor(0, 255, 0));

    // A colour chosen goes to its own setting and swatch only.
    std::vector<Color> asked;
    page->SetColorChooser([&](wxWindow*, Color current) -> std::optional<Color> {
        asked.push_back(current);
        return MakeColor(1, 2, 171);
    });
    Press("PathColorButton");
    Press("FlatColorButton");
    EXPECT_EQ(asked, (std::vector<Color>{MakeColor(255, 0, 0), MakeColor(0, 0, 255)}));
    EXPECT_EQ(model.GetPathColor(), MakeColor(1, 2, 171));
    EXPECT_EQ(model.GetFlatColor(), MakeColor(1, 2, 171));
    EXPECT_EQ(model.GetUpColor(), MakeColor(255, 0, 0));
    EXPECT_EQ(Control<CColorSwatch>("PathColorSwatch")->GetColor(), MakeColor(1, 2, 171));
    EXPECT_EQ(Control<CColorSwatch>("UpColorSwatch")->GetColor(), MakeColor(255, 0, 0));

    // The swatch paints its inside in its colour, red in the low bits.
    wxBitmap bitmap(Control<CColorSwatch>("PathColorSwatch")->GetClientSize());
    {
        wxMemoryDC dc(bitmap);
        Control<CColorSwatch>("PathColorSwatch")->Draw(dc);
    }
    wxImage painted = bitmap.ConvertToImage();
    const int x = painted.GetWidth() / 2, y = painted.GetHeight() / 2;
    EXPECT_EQ(wxColour(painted.GetRed(x, y), painted.GetGreen(x, y), painted.GetBlue(x, y)), wxColour(1, 2, 171));
}

}  // namespace
}  // namespace trackalbum
