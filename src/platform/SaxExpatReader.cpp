// The streaming XML reader over expat.
// The system's expat is built with DTD support (which is what makes entity bombs possible at
// all); the declarations of its amplification limits are only visible with XML_DTD defined.
#ifndef XML_DTD
#define XML_DTD
#endif
#include <expat.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

#include "platform/SaxReader.h"
#include "platform/SaxShiftJis.h"

namespace trackalbum {
namespace {

// Joins namespace URI and local name in expat's names; it cannot occur in XML text.
constexpr XML_Char kNamespaceSeparator = '\x01';
constexpr size_t kChunkSize = 256 * 1024;

std::string_view LocalPart(const XML_Char* name, std::string_view* uri) {
    // One length scan and one backward search: local names are short, URIs are not.
    const size_t length = std::strlen(name);
    const void* separator = memrchr(name, kNamespaceSeparator, length);
    if (separator == nullptr) {
        *uri = std::string_view();
        return std::string_view(name, length);
    }
    const size_t split = static_cast<size_t>(static_cast<const char*>(separator) - name);
    *uri = std::string_view(name, split);
    return std::string_view(name + split + 1, length - split - 1);
}

class ExpatAttributes final : public SaxAttributes {
public:
    explicit ExpatAttributes(const XML_Char** attributes) : attributes_(attributes) {
        while (attributes_[2 * count_] != nullptr) ++count_;
    }
    size_t GetLength() const override { return count_; }
    std::string_view GetLocalName(size_t index) const override {
        if (index >= count_) return std::string_view();
        std::string_view uri;
        return LocalPart(attributes_[2 * index], &uri);
    }
    std::string_view GetValue(size_t index) const override {
        if (index >= count_) return std::string_view();
        return attributes_[2 * index + 1];
    }

private:
    const XML_Char** attributes_;
    size_t count_ = 0;
};

int XMLCALL ConvertShiftJis(void*, const char* bytes) { return ShiftJisTwoByteCodePoint(bytes); }

// Teaches the parser the one encoding beyond its own that GPX files are met in here.
int XMLCALL OnUnknownEncoding(void*, const XML_Char* name, XML_Encoding* info) {
    if (!IsShiftJisEncodingName(name)) return XML_STATUS_ERROR;
    for (int b = 0; b < 256; ++b) info->map[b] = ShiftJisByteMap(static_cast<unsigned char>(b));
    info->data = nullptr;
    info->convert = &ConvertShiftJis;
    info->release = nullptr;
    return XML_STATUS_OK;
}

struct ParserDeleter {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};
using ParserPtr = std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserDeleter>;

// Drives one expat parser and carries the handler's exception across expat's C frames.
class ExpatSession {
public:
    explicit ExpatSession(SaxContentHandler& handler) : handler_(handler) {
        parser_.reset(XML_ParserCreateNS(nullptr, kNamespaceSeparator));
        if (!parser_) throw std::bad_alloc();
        XML_Parser p = parser_.get();
        XML_SetUserData(p, this);
        XML_SetElementHandler(p, &ExpatSession::OnStart, &ExpatSession::OnEnd);
        UpdateCharacterHandler();
        // A GPX file has no use for entities; refusing their declarations stops an
        // entity-expansion bomb before a single expansion happens.
        XML_SetEntityDeclHandler(p, &ExpatSession::OnEntityDeclaration);
        XML_SetParamEntityParsing(p, XML_PARAM_ENTITY_PARSING_NEVER);
        XML_SetUnknownEncodingHandler(p, &OnUnknownEncoding, nullptr);
        XML_SetBillionLaughsAttackProtectionMaximumAmplification(p, 10.0f);
        XML_SetBillionLaughsAttackProtectionActivationThreshold(p, 1024 * 1024);
    }

    // Feeds one chunk; false once the parse has stopped (the result says why).
    bool Feed(const char* data, size_t size, bool last) {
        const XML_Status status = XML_Parse(parser_.get(), data, static_cast<int>(size), last);
        Rethrow();
        return status == XML_STATUS_OK;
    }

    // Reads one chunk of the file straight into expat's buffer.
    bool FeedFrom(int fd, bool* done, SaxResult* result) {
        void* buffer = XML_GetBuffer(parser_.get(), static_cast<int>(kChunkSize));
        if (buffer == nullptr) {
            *result = Failure(SaxStatus::OutOfMemory, "out of memory");
            return false;
        }
        ssize_t got;
        do {
            got = read(fd, buffer, kChunkSize);
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            *result = Failure(SaxStatus::ReadError, std::strerror(errno));
            return false;
        }
        *done = got == 0;
        const XML_Status status = XML_ParseBuffer(parser_.get(), static_cast<int>(got), *done);
        Rethrow();
        if (status != XML_STATUS_OK) {
            *result = Result();
            return false;
        }
        return true;
    }

    SaxResult Result() const {
        if (entityDeclared_) return Failure(SaxStatus::EntityDeclared, "entity declarations are not accepted");
        const XML_Error error = XML_GetErrorCode(parser_.get());
        if (error == XML_ERROR_NONE) return SaxResult();
        SaxResult result = Failure(error == XML_ERROR_NO_MEMORY ? SaxStatus::OutOfMemory : SaxStatus::XmlError,
                                   XML_ErrorString(error));
        result.xmlError = static_cast<int>(error);
        result.line = XML_GetCurrentLineNumber(parser_.get());
        result.column = XML_GetCurrentColumnNumber(parser_.get());
        return result;
    }

    static SaxResult Failure(SaxStatus status, const char* description) {
        SaxResult result;
        result.status = status;
        result.description = description;
        return result;
    }

private:
    static ExpatSession& Self(void* data) { return *static_cast<ExpatSession*>(data); }

    void Rethrow() {
        if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
    }

    // Exceptions must not unwind through expat: keep the first and stop the parser.
    template <typename Event>
    void Guard(Event&& event) {
        if (pending_) return;
        try {
            event();
        } catch (...) {
            pending_ = std::current_exception();
            XML_StopParser(parser_.get(), XML_FALSE);
        }
    }

    void UpdateCharacterHandler() {
        const bool wanted = handler_.WantsCharacters();
        if (wanted == charactersOn_) return;
        charactersOn_ = wanted;
        XML_SetCharacterDataHandler(parser_.get(), wanted ? &ExpatSession::OnCharacters : nullptr);
    }

    static void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
        ExpatSession& self = Self(data);
        self.Guard([&] {
            std::string_view uri;
            const std::string_view local = LocalPart(name, &uri);
            const ExpatAttributes list(attributes);
            self.handler_.StartElement(uri, local, list);
            self.UpdateCharacterHandler();
        });
    }

    static void XMLCALL OnEnd(void* data, const XML_Char* name) {
        ExpatSession& self = Self(data);
        self.Guard([&] {
            std::string_view uri;
            const std::string_view local = LocalPart(name, &uri);
            self.handler_.EndElement(uri, local);
            self.UpdateCharacterHandler();
        });
    }

    static void XMLCALL OnCharacters(void* data, const XML_Char* text, int length) {
        ExpatSession& self = Self(data);
        self.Guard([&] { self.handler_.Characters(std::string_view(text, static_cast<size_t>(length))); });
    }

    static void XMLCALL OnEntityDeclaration(void* data, const XML_Char*, int, const XML_Char*, int,
                                            const XML_Char*, const XML_Char*, const XML_Char*,
                                            const XML_Char*) {
        ExpatSession& self = Self(data);
        self.entityDeclared_ = true;
        XML_StopParser(self.parser_.get(), XML_FALSE);
    }

    SaxContentHandler& handler_;
    ParserPtr parser_;
    std::exception_ptr pending_;
    bool entityDeclared_ = false;
    bool charactersOn_ = false;
};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

SaxResult OpenFailure(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return ExpatSession::Failure(SaxStatus::FileNotFound, "file not found");
    case ENAMETOOLONG:
    case EINVAL: return ExpatSession::Failure(SaxStatus::InvalidPath, "invalid file name");
    case EISDIR: return ExpatSession::Failure(SaxStatus::NotAFile, "not a regular file");
    case EACCES:
    case EPERM: return ExpatSession::Failure(SaxStatus::AccessDenied, "access denied");
    case ENOMEM: return ExpatSession::Failure(SaxStatus::OutOfMemory, "out of memory");
    default: return ExpatSession::Failure(SaxStatus::ReadError, std::strerror(error));
    }
}

}  // namespace

SaxResult ParseXmlFile(const std::string& path, SaxContentHandler& handler) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return ExpatSession::Failure(SaxStatus::InvalidPath, "invalid file name");
    }
    // Non-blocking open so that a FIFO cannot hang the load; it is refused below anyway.
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0) return OpenFailure(errno);
    struct stat info {};
    if (fstat(file.Get(), &info) != 0) return OpenFailure(errno);
    if (!S_ISREG(info.st_mode)) return ExpatSession::Failure(SaxStatus::NotAFile, "not a regular file");

    ExpatSession session(handler);
    SaxResult result;
    bool done = false;
    while (!done) {
        if (!session.FeedFrom(file.Get(), &done, &result)) return result;
    }
    return session.Result();
}

SaxResult ParseXmlText(std::string_view document, SaxContentHandler& handler) {
    ExpatSession session(handler);
    bool last = false;
    while (!last) {
        const size_t size = document.size() < kChunkSize ? document.size() : kChunkSize;
        last = size == document.size();
        if (!session.Feed(document.data(), size, last)) break;
        document.remove_prefix(size);
    }
    return session.Result();
}

}  // namespace trackalbum
