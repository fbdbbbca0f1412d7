#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/SaxReader.h"
#include "support/ScratchFolder.h"

namespace trackalbum {
namespace {

// Writes every event as one line, character data merged per run.
struct EventLog : SaxContentHandler {
    void StartElement(std::string_view uri, std::string_view local, const SaxAttributes& attributes) override {
        Flush();
        events.push_back("start " + std::string(local) + " {" + std::string(uri) + "}");
        for (size_t i = 0; i < attributes.GetLength(); ++i) {
            events.back() += " " + std::string(attributes.GetLocalName(i)) + "=" + std::string(attributes.GetValue(i));
        }
    }
    void Characters(std::string_view chunk) override { text += chunk; }
    void EndElement(std::string_view, std::string_view local) override {
        Flush();
        if (local == "stop") throw std::runtime_error("stop");
        events.push_back("end " + std::string(local));
    }
    void Flush() {
        if (!text.empty()) events.push_back("text " + text);
        text.clear();
    }
    std::vector<std::string> events;
    std::string text;
};

TEST(SaxReaderTest, LocalNamesAttributesInOrderAndText) {
    EventLog log;
    const SaxResult result = ParseXmlText(
        "<?xml version=\"1.0\"?><g:gpx xmlns:g=\"urn:g\" xmlns:e=\"urn:e\">"
        "<pt e:lon=\"2\" lat=\"1\" extra=\"a&amp;b\">x<e:hr>7</e:hr></pt></g:gpx>", log);
    ASSERT_TRUE(result.Ok()) << result.description;
    EXPECT_EQ(log.events, (std::vector<std::string>{"start gpx {urn:g}", "start pt {} lon=2 lat=1 extra=a&b", "text x",
                                                    "start hr {urn:e}", "text 7", "end hr", "end pt", "end gpx"}));
}

TEST(SaxReaderTest, FailuresAreClassified) {
    EventLog log;
    const SaxResult mismatched = ParseXmlText("<a><b></a>", log);
    EXPECT_EQ(mismatched.status, SaxStatus::XmlError);
    EXPECT_EQ(mismatched.xmlError * 10 + mismatched.line, 71u);  // mismatched tag, line 1
    EXPECT_EQ(ParseXmlText("<a><x:b/></a>", log).status, SaxStatus::XmlError);  // unbound prefix
    // Missing files, bad names and folders reach the GPX reader's messages (tests/gps).
    EXPECT_EQ(ParseXmlFile("/dev/null", log).status, SaxStatus::NotAFile);

    log.events.clear();
    EXPECT_EQ(ParseXmlText("<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>", log).status, SaxStatus::EntityDeclared);
    EXPECT_TRUE(log.events.empty());
    EXPECT_TRUE(ParseXmlText("<!DOCTYPE a><a>&lt;</a>", log).Ok());
    // A handler's exception stops the parse and comes out of it.
    log.events.clear();
    EXPECT_THROW(ParseXmlText("<a><b/><stop/><c/></a>", log), std::runtime_error);
    EXPECT_EQ(log.events, (std::vector<std::string>{"start a {}", "start b {}", "end b", "start stop {}"}));
}

TEST(SaxReaderTest, LargeFileIsFedInChunks) {
    const test::ScratchFolder folder;
    test::WriteFile(folder / "large.xml", "<r>" + std::string(600000, ' ') + "<p v=\"1\">text</p><p v=\"2\"/></r>");
    EventLog log;
    const SaxResult result = ParseXmlFile(folder / "large.xml", log);
    ASSERT_TRUE(result.Ok()) << result.description;
    EXPECT_EQ(log.events.size(), 8u);
    EXPECT_EQ(log.events[5], "start p {} v=2");
}

TEST(SaxReaderTest, ShiftJisDocumentsAreRead) {
    // 高尾山 in code page 932, then half-width katakana ｱ and an ASCII tail.
    EventLog log;
    const SaxResult result = ParseXmlText("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><gpx><name a=\"\x8d\x82\">"
                                          "\x8d\x82\x94\xf6\x8e\x52\xb1-x</name></gpx>", log);
    ASSERT_TRUE(result.Ok()) << result.description;
    EXPECT_EQ(log.events[1] + "|" + log.events[2], "start name {} a=高|text 高尾山ｱ-x");
    EXPECT_TRUE(ParseXmlText("<?xml version=\"1.0\" encoding=\"windows-31j\"?><a/>", log).Ok());
    EXPECT_EQ(ParseXmlText("<?xml version=\"1.0\" encoding=\"EUC-JP\"?><a/>", log).status, SaxStatus::XmlError);
    // A lead byte followed by a byte that completes no character.
    EXPECT_EQ(ParseXmlText("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a>\x81\x20</a>", log).status,
              SaxStatus::XmlError);
}

}  // namespace
}  // namespace trackalbum
