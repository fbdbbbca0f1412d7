// Escaping, UTF-8 repair and the coordinate format that every page relies on.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "page/Escaping.h"
#include "page/PageFormat.h"
#include "page/Utf8.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

TEST(PageEscapingTest, MarkupEscapesExactlyTheFourCharacters) {
    EXPECT_EQ(EscapeMarkup("Tama river ride 2006"), "Tama river ride 2006");
    EXPECT_EQ(EscapeMarkup("A&B <\"walk\"> 'x'"), "A&amp;B &lt;&quot;walk&quot;&gt; 'x'");
    EXPECT_EQ(EscapeMarkup("&amp;"), "&amp;amp;");  // already escaped text is escaped again
    EXPECT_EQ(EscapeMarkup("多摩川"), "多摩川");
}

TEST(PageEscapingTest, ScriptStringCannotEndTheStringOrTheScript) {
    EXPECT_EQ(EscapeScriptString("橋の上から"), "橋の上から");
    EXPECT_EQ(EscapeScriptString(R"(say "hi")"), R"(say \"hi\")");
    EXPECT_EQ(EscapeScriptString(R"(C:\photos)"), R"(C:\\photos)");
    EXPECT_EQ(EscapeScriptString("line1\r\nline2"), R"(line1\r\nline2)");
    EXPECT_EQ(EscapeScriptString("<b>bold</b></script>"), R"(<b>bold<\/b><\/script>)");
    EXPECT_EQ(EscapeScriptString("a<"), "a<");
    EXPECT_EQ(EscapeScriptString("<"), "<");
}

TEST(PageEscapingTest, AddressEncodesWhatWouldCutTheAddressShort) {
    EXPECT_EQ(EncodeAddress("IMG_0001.JPG"), "IMG_0001.JPG");
    EXPECT_EQ(EncodeAddress("river view.jpg"), "river view.jpg");
    EXPECT_EQ(EncodeAddress("100%#1?.jpg"), "100%25%231%3F.jpg");
    EXPECT_EQ(EncodeAddress("say\"cheese\".jpg"), "say%22cheese%22.jpg");
    EXPECT_EQ(EncodeAddress("写真.jpg"), "写真.jpg");
    // A Shift-JIS name on a Linux disk: its bytes stay reachable.
    EXPECT_EQ(EncodeAddress("\x82\xA0.jpg"), "%82%A0.jpg");
}

TEST(PageUtf8Test, RecognisesWellFormedText) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ASCII\r\n"));
    EXPECT_TRUE(IsValidUtf8("統計情報 \xF0\x9F\x9A\xB2"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong slash
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE6\x9D"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xFF"));
}

TEST(PageUtf8Test, RepairReplacesEachBrokenPieceOnce) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(RepairUtf8("多摩川"), "多摩川");
    EXPECT_EQ(RepairUtf8("a\xFF" "b"), "a" + replacement + "b");
    // A cut-short sequence is one replacement, and the next character survives.
    EXPECT_EQ(RepairUtf8("\xE6\x9D" "x"), replacement + "x");
    EXPECT_EQ(RepairUtf8("\xE6\x9D"), replacement);
    EXPECT_EQ(RepairUtf8("\xC0\xAF"), replacement + replacement);
    EXPECT_EQ(RepairUtf8("\x82\xA0^"), replacement + replacement + "^");
    EXPECT_TRUE(IsValidUtf8(RepairUtf8("\xF0\x9F\x9A")));
}

// Any bytes at all, as a file name on Linux may hold them.
TEST(PageUtf8Test, ArbitraryBytesComeOutSafe) {
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> length(0, 24), byte(0, 255), ascii(0, 3);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i) {
            // Weighted towards the characters the escapes care about.
            const char special[] = {'"', '\\', '<', '/'};
            text += ascii(random) == 0 ? special[ascii(random)] : static_cast<char>(byte(random));
        }
        const std::string repaired = RepairUtf8(text);
        ASSERT_TRUE(IsValidUtf8(repaired));
        ASSERT_EQ(IsValidUtf8(text), repaired == text);

        const std::string script = EscapeScriptString(text);
        ASSERT_EQ(script.find_first_of("\r\n"), std::string::npos);
        ASSERT_EQ(script.find("</"), std::string::npos);
        for (size_t i = 0; i < script.size(); ++i) {
            if (script[i] != '"') continue;
            size_t backslashes = 0;
            while (backslashes < i && script[i - 1 - backslashes] == '\\') ++backslashes;
            ASSERT_EQ(backslashes % 2, 1u) << script;
        }

        const std::string address = EncodeAddress(text);
        ASSERT_TRUE(IsValidUtf8(address));
        ASSERT_EQ(address.find_first_of("#?\""), std::string::npos);
    }
}

TEST(PageFormatTest, CoordinatesUseTheFixedWidths) {
    EXPECT_EQ(FormatLatLng(35.681236, 139.767125), "new GLatLng( 35.681236, 139.767125)");
    EXPECT_EQ(FormatLatLng(-33.86882, -151.20929), "new GLatLng(-33.868820,-151.209290)");
    EXPECT_EQ(FormatLatLng(0.0, 0.0), "new GLatLng(  0.000000,   0.000000)");
}

TEST(PageFormatTest, FastFormatMatchesPrintfForEveryValue) {
    std::mt19937_64 random(20060503);
    std::uniform_real_distribution<double> degrees(-400.0, 400.0);
    std::vector<double> values = {0.0, -0.0, 0.0000005, -0.0000005, 0.0000015, 0.0000025, 1e-7, 89.9999995,
                                  179.9999995, -179.9999995, 0.0078125, 0.0234375, -0.0078125, 1e-300,
                                  4.9e-324, 999999999999.9999, 1e12, 1e20, -1e22, 1e300,
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    for (int i = 0; i < 20000; ++i) values.push_back(degrees(random));
    // Exact halves at the sixth decimal, where printf rounds to even.
    for (int i = 0; i < 2000; ++i) values.push_back((2 * i + 1) / 128.0 * (i % 2 ? 1 : -1));
    std::uniform_int_distribution<int> scale(-30, 40);
    for (int i = 0; i < 20000; ++i) values.push_back(degrees(random) * std::ldexp(1.0, scale(random)));
    for (const double value : values) {
        for (const int width : {10, 11}) {
            std::string fast;
            AppendFixed6(fast, value, width);
            ASSERT_EQ(fast, FormatC("%*.6f", width, value)) << value;
        }
    }
}

}  // namespace
}  // namespace trackalbum
