#include "shell/CPageMapProperty.h"

#include <gtest/gtest.h>

#include <memory>

#include <wx/choice.h>
#include <wx/colordlg.h>
#include <wx/dcmemory.h>
#include <wx/radiobut.h>
#include <wx/uiaction.h>

#include "ShellTestSupport.h"
#include "platform/CFormat.h"
#include "shell/CColorSwatch.h"

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
    Color Swatch(const char* name) { return Control<CColorSwatch>(name)->GetColor(); }
    // The page must veto every arrow, so that the spin's own value never limits it.
    void Step(const char* spin, bool up) { EXPECT_FALSE(Spin(Control<wxSpinButton>(spin), up)) << spin; }

    std::string Held() {
        return FormatC("button %d zoom %d controller %d display %dx%d trace %d profile %d", model.GetMapTypeBtn(),
                       model.GetZoomLevel(), model.GetController(), model.GetDisplayWidth(), model.GetDisplayHeight(),
                       model.GetIconTrace(), model.GetProfWidth());
    }

    MapPropertyPage model;
    wxFrame* frame = nullptr;
    CPageMapProperty* page = nullptr;
};

TEST_F(PageMapPropertyTest, ShowsTheDefaultsAndThenLoadedValues) {
    EXPECT_EQ(Control<wxChoice>("MapType")->GetCount(), 3u);
    EXPECT_EQ(Text("PathWidth") + " " + Text("ZoomLevel") + " " + Text("DisplayWidth") + "x" + Text("DisplayHeight") +
                  " " + Text("ProfWidth") + "x" + Text("ProfHeight"),
              "10 10 100x100 800x600");
    for (const char* check : {"AutoZoom", "Coloring", "IconTrace", "Scale", "Overview", "Japanese"})
        EXPECT_TRUE(Checked(check)) << check;
    EXPECT_FALSE(Checked("MapTypeBtn"));
    EXPECT_EQ(Swatch("PathColorSwatch"), MakeColor(255, 0, 0));
    EXPECT_EQ(Swatch("UpColorSwatch"), MakeColor(255, 0, 0));
    EXPECT_EQ(Swatch("DownColorSwatch"), MakeColor(0, 255, 0));
    EXPECT_EQ(Swatch("FlatColorSwatch"), MakeColor(0, 0, 255));

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
    EXPECT_FALSE(Enabled("ZoomLevel") || Enabled("ZoomSpin"));
    SetChecked(Control<wxCheckBox>("AutoZoom"), false);
    EXPECT_TRUE(Enabled("ZoomLevel") && Enabled("ZoomSpin"));

    SetChecked(Control<wxCheckBox>("Coloring"), false);
    for (const char* name : {"UpColorButton", "DownColorButton", "FlatColorButton", "UpColorLabel", "DownColorLabel",
                             "FlatColorLabel"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_TRUE(Enabled("PathColorButton"));
}

TEST_F(PageMapPropertyTest, SpinsStepTheTypedValueAndStopAtTheEnds) {
    // Where the ends are is the model's business; here: the typed text is what is stepped,
    // each arrow its own way, and the held value is what is shown.
    const struct {
        const char *field, *spin, *typed;
        bool up;
        const char* shown;
    } cases[] = {
        {"ZoomLevel", "ZoomSpin", "25", false, "17"},
        {"ZoomLevel", "ZoomSpin", "5", true, "6"},
        {"PathWidth", "PathWidthSpin", "50", true, "51"},
        {"PathWidth", "PathWidthSpin", "1", false, "1"},
        // A text that is no number steps from the value the page holds.
        {"PathWidth", "PathWidthSpin", "wide", true, "2"},
    };
    for (const auto& c : cases) {
        Control<wxTextCtrl>(c.field)->ChangeValue(c.typed);
        Step(c.spin, c.up);
        EXPECT_EQ(Text(c.field), c.shown) << c.field << " " << c.typed;
    }
    EXPECT_EQ(model.GetPathWidth(), 2);

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
}

TEST_F(PageMapPropertyTest, SizeAndZoomFieldsTakeOnlyDigitsAndTheWidthFieldAnyText) {
    SetChecked(Control<wxCheckBox>("AutoZoom"), false);
    frame->Raise();
    for (const auto& [name, shown] : {std::pair{"ZoomLevel", "12"}, {"ProfHeight", "12"}, {"PathWidth", "1-2x"}}) {
        wxTextCtrl* field = Control<wxTextCtrl>(name);
        field->ChangeValue("");
        ASSERT_TRUE(ClickInto(field)) << name;
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
    // The fields after the empty one keep what the page held before.
    EXPECT_EQ(Held(), "button 1 zoom 25 controller 1 display 640x100 trace 1 profile 800");
    Control<wxTextCtrl>("DisplayHeight")->ChangeValue(" 480 ");
    EXPECT_TRUE(page->TransferDataFromWindow());
    EXPECT_EQ(Held(), "button 1 zoom 25 controller 1 display 640x480 trace 0 profile 1024");
}

TEST_F(PageMapPropertyTest, ColourChosenOrCancelled) {
    // The system chooser opens on the current colour; cancelling it changes nothing.
    Color preselected = 0;
    {
        DialogAnswers answers([&](wxDialog* dialog) {
            if (auto* chooser = dynamic_cast<wxColourDialog*>(dialog))
                preselected = FromWxColour(chooser->GetColourData().GetColour());
            return wxID_CANCEL;
        });
        Click(Control<wxButton>("DownColorButton"));
        EXPECT_EQ(answers.count, 1);
    }
    EXPECT_EQ(preselected, MakeColor(0, 255, 0));
    EXPECT_EQ(model.GetDownColor(), MakeColor(0, 255, 0));
    EXPECT_EQ(Swatch("DownColorSwatch"), MakeColor(0, 255, 0));

    // A colour chosen goes to its own setting and swatch only.
    std::vector<Color> asked;
    page->SetColorChooser([&](wxWindow*, Color current) -> std::optional<Color> {
        asked.push_back(current);
        return MakeColor(1, 2, 171);
    });
    Click(Control<wxButton>("PathColorButton"));
    Click(Control<wxButton>("FlatColorButton"));
    EXPECT_EQ(asked, (std::vector<Color>{MakeColor(255, 0, 0), MakeColor(0, 0, 255)}));
    EXPECT_EQ(model.GetPathColor(), MakeColor(1, 2, 171));
    EXPECT_EQ(model.GetFlatColor(), MakeColor(1, 2, 171));
    EXPECT_EQ(model.GetUpColor(), MakeColor(255, 0, 0));
    EXPECT_EQ(Swatch("PathColorSwatch"), MakeColor(1, 2, 171));
    EXPECT_EQ(Swatch("UpColorSwatch"), MakeColor(255, 0, 0));

    // The swatch paints its inside in its colour, red in the low bits.
    wxBitmap bitmap(Control<CColorSwatch>("PathColorSwatch")->GetClientSize());
    {
        wxMemoryDC dc(bitmap);
        Control<CColorSwatch>("PathColorSwatch")->Draw(dc);
    }
    const wxImage painted = bitmap.ConvertToImage();
    const int x = painted.GetWidth() / 2, y = painted.GetHeight() / 2;
    EXPECT_EQ(wxColour(painted.GetRed(x, y), painted.GetGreen(x, y), painted.GetBlue(x, y)), wxColour(1, 2, 171));
}

}  // namespace
}  // namespace trackalbum
