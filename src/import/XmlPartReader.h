#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "import/ReaderFault.h"
#include "import/ZipArchive.h"

struct XML_ParserStruct;

namespace kalderon {

// Receives the elements of an XML part by their local names (the prefix
// before ":" is dropped) and the text between them.  Attributes come as the
// parser gives them: name, value, ..., null.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void Start(std::string_view name, const char** attributes) = 0;
    virtual void End(std::string_view name) = 0;
    virtual void Text(std::string_view) {}

    // The value of the attribute of local name `name`, or null.
    static const char* Attribute(const char** attributes, std::string_view name);
    static std::string_view LocalName(const char* name);

protected:
    // Ends the parse with a fault, or (Finish) as if the part ended here.
    void Fail(ReaderFault fault);
    void Finish();
    // Ends the current piece here; the next piece goes on from here.
    void Pause();

private:
    friend class XmlPartReader;
    friend struct XmlCallbacks;
    XML_ParserStruct* parser_ = nullptr;
    std::optional<ReaderFault> fault_;
    bool finished_ = false;
    bool doctype_ = false;
};

// Parses one member of a workbook's archive with a handler, piece by piece,
// so that a sheet of a million rows is never held whole.  A document type
// declaration is refused before anything of it is read.
class XmlPartReader {
public:
    XmlPartReader(std::unique_ptr<ZipMember> member, XmlHandler& handler);
    ~XmlPartReader();
    XmlPartReader(const XmlPartReader&) = delete;
    XmlPartReader& operator=(const XmlPartReader&) = delete;

    // Parses the next piece; false once the part has ended (or the handler
    // finished it).
    ReadResult<bool> ParseNextPiece();
    ReadResult<void> ParseAll();

private:
    std::unique_ptr<ZipMember> member_;
    XmlHandler& handler_;
    XML_ParserStruct* parser_;
    bool atEnd_ = false;
    bool paused_ = false;
    bool lastFed_ = false;
};

// Opens the member of `archive` and parses it whole with `handler`.
ReadResult<void> ParseXmlPart(const ZipArchive& archive, const std::string& member, XmlHandler& handler);

}  // namespace kalderon
