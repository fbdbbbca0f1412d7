#pragma once
// A narrow streaming XML reader: the handler sees element starts with local names (namespace
// prefixes resolved and dropped) and their attributes in document order, character data in
// chunks, and element ends. Files are read in chunks, so memory does not grow with the file.
// No DTD or external entity is ever loaded, and documents that declare entities are refused.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace trackalbum {

// The attributes of one element start, valid only during the StartElement call.
class SaxAttributes {
public:
    virtual ~SaxAttributes() = default;
    virtual size_t GetLength() const = 0;
    virtual std::string_view GetLocalName(size_t index) const = 0;
    virtual std::string_view GetValue(size_t index) const = 0;
};

// Receives the document's events. Text is UTF-8. An exception thrown by the handler stops the
// parse and propagates out of ParseXmlFile/ParseXmlText.
class SaxContentHandler {
public:
    virtual ~SaxContentHandler() = default;
    virtual void StartElement(std::string_view namespaceUri, std::string_view localName,
                              const SaxAttributes& attributes) = 0;
    virtual void Characters(std::string_view text) = 0;
    virtual void EndElement(std::string_view namespaceUri, std::string_view localName) = 0;
    // Asked after every element start and end: a handler that ignores the text until the next
    // one says so, and the reader does not deliver it (a large saving on big files).
    virtual bool WantsCharacters() const { return true; }
};

enum class SaxStatus {
    Ok,
    FileNotFound,      // the file or a folder on its path does not exist
    InvalidPath,       // empty, contains NUL, or too long
    NotAFile,          // a folder or other non-regular file
    AccessDenied,
    ReadError,
    OutOfMemory,
    EntityDeclared,    // the document declares entities; refused
    XmlError,          // not well-formed (see xmlError)
};

struct SaxResult {
    SaxStatus status = SaxStatus::Ok;
    int xmlError = 0;        // the XML parser's error number for XmlError and OutOfMemory
    uint64_t line = 0;       // where the parse stopped, for XmlError
    uint64_t column = 0;
    std::string description; // English, for logs and tests

    bool Ok() const { return status == SaxStatus::Ok; }
};

// Parses the file at `path` (a narrow UTF-8 path) and feeds `handler`.
SaxResult ParseXmlFile(const std::string& path, SaxContentHandler& handler);
// Parses a document held in memory.
SaxResult ParseXmlText(std::string_view document, SaxContentHandler& handler);

}  // namespace trackalbum
