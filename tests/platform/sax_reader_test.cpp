#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/SaxReader.h"

namespace trackalbum {
namespace {

// Writes every event as one line, character data merged per run.
class EventLog : public SaxContentHandler {
public:
    void StartElement(std::string_view uri, std::string_view local, const SaxAttributes& attributes) override {
        Flush();
        std::string line = "start " + std::string(local) + " {" + std::string(uri) + "}";
        for (size_t i = 0; i < attributes.GetLength(); ++i) {
            line += " " + std::string(attributes.GetLocalName(i)) + "=" + std::string(attributes.GetValue(i));
        }
        events.push_back(line);
    }
    void Characters(std::string_view text) override {
        text_ += text;
        ++chunks;
    }
    void EndElement(std::string_view, std::string_view local) override {
        Flush();
        events.push_back("end " + std::string(local));
    }

    std::vector<std::string> events;
    int chunks = 0;

private:
    void Flush() {
        if (!text_.empty()) events.push_back("text " + text_);
        text_.clear();
    }
    std::string text_;
};

TEST(SaxReaderTest, LocalNamesAttributesInOrderAndText) {
    EventLog log;
    const SaxResult result = ParseXmlText(
        "<?xml version=\"1.0\"?><g:gpx xmlns:g=\"urn:g\" xmlns:e=\"urn:e\">"
        "<pt e:lon=\"2\" lat=\"1\" extra=\"a&amp;b\">x<e:hr>7</e:hr></pt></g:gpx>", log);
    ASSERT_TRUE(result.Ok()) << result.description;
    const std::vector<std::string> expected = {
        "start gpx {urn:g}", "start pt {} lon=2 lat=1 extra=a&b", "text x", "start hr {urn:e}",
        "text 7", "end hr", "end pt", "end gpx"};
    EXPECT_EQ(log.events, expected);
}

TEST(SaxReaderTest, MalformedDocumentsReportWhereAndWhy) {
    EventLog log;
    SaxResult result = ParseXmlText("<a><b></a>", log);
    EXPECT_EQ(result.status, SaxStatus::XmlError);
    EXPECT_EQ(result.xmlError, 7);  // mismatched tag
    EXPECT_EQ(result.line, 1u);
    result = ParseXmlText("", log);
    EXPECT_EQ(result.status, SaxStatus::XmlError);
    result = ParseXmlText("<a><x:b/></a>", log);
    EXPECT_EQ(result.status, SaxStatus::XmlError);
}

TEST(SaxReaderTest, EntityDeclarationsAreRefused) {
    EventLog log;
    const SaxResult result =
        ParseXmlText("<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>", log);
    EXPECT_EQ(result.status, SaxStatus::EntityDeclared);
    EXPECT_TRUE(log.events.empty());
    EXPECT_TRUE(ParseXmlText("<!DOCTYPE a><a>&lt;</a>", log).Ok());
}

TEST(SaxReaderTest, HandlerExceptionStopsTheParseAndPropagates) {
    struct Throwing : EventLog {
        void EndElement(std::string_view, std::string_view local) override {
            if (local == "stop") throw std::runtime_error("stop");
            ++ends;
        }
        int ends = 0;
    } handler;
    EXPECT_THROW(ParseXmlText("<a><b/><stop/><c/></a>", handler), std::runtime_error);
    EXPECT_EQ(handler.ends, 1);
}

TEST(SaxReaderTest, LargeFileIsFedInChunks) {
    const auto path = std::filesystem::temp_directory_path() / ("ta-sax-" + std::to_string(::getpid()) + ".xml");
    {
        std::ofstream out(path, std::ios::binary);
        out << "<r>";
        for (int i = 0; i < 200000; ++i) out << "<p v=\"" << i << "\">text</p>";
        out << "</r>";
    }
    struct Counter : SaxContentHandler {
        void StartElement(std::string_view, std::string_view, const SaxAttributes& a) override {
            if (a.GetLength() == 1) last = std::string(a.GetValue(0));
            ++starts;
        }
        void Characters(std::string_view) override {}
        void EndElement(std::string_view, std::string_view) override {}
        int starts = 0;
        std::string last;
    } counter;
    const SaxResult result = ParseXmlFile(path.string(), counter);
    std::filesystem::remove(path);
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(counter.starts, 200001);
    EXPECT_EQ(counter.last, "199999");
}

TEST(SaxReaderTest, FileFailuresAreClassified) {
    EventLog log;
    EXPECT_EQ(ParseXmlFile("/nonexistent/dir/file.gpx", log).status, SaxStatus::FileNotFound);
    EXPECT_EQ(ParseXmlFile("", log).status, SaxStatus::InvalidPath);
    EXPECT_EQ(ParseXmlFile(std::string("a\0b", 3), log).status, SaxStatus::InvalidPath);
    EXPECT_EQ(ParseXmlFile("/tmp", log).status, SaxStatus::NotAFile);
    EXPECT_EQ(ParseXmlFile("/dev/null", log).status, SaxStatus::NotAFile);
}

}  // namespace
}  // namespace trackalbum

namespace trackalbum {
namespace {

TEST(SaxReaderEncodingTest, ShiftJisDocumentsAreRead) {
    // 高尾山 in code page 932, then half-width katakana ｱ and an ASCII tail.
    const std::string document =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><gpx><name a=\"\x8d\x82\">"
        "\x8d\x82\x94\xf6\x8e\x52\xb1-x</name></gpx>";
    EventLog log;
    const SaxResult result = ParseXmlText(document, log);
    ASSERT_TRUE(result.Ok()) << result.description;
    ASSERT_EQ(log.events.size(), 5u);
    EXPECT_EQ(log.events[1], "start name {} a=高");
    EXPECT_EQ(log.events[2], "text 高尾山ｱ-x");

    EventLog other;
    EXPECT_TRUE(ParseXmlText("<?xml version=\"1.0\" encoding=\"windows-31j\"?><a/>", other).Ok());
    EXPECT_EQ(ParseXmlText("<?xml version=\"1.0\" encoding=\"EUC-JP\"?><a/>", other).status, SaxStatus::XmlError);
    // A lead byte followed by a byte that completes no character.
    EXPECT_EQ(ParseXmlText("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a>\x81\x20</a>", other).status,
              SaxStatus::XmlError);
}

}  // namespace
}  // namespace trackalbum
