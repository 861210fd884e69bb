#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "import/ReaderFault.h"

namespace kalderon {

// Receives the elements of an XML document by their local names (the
// prefix before ":" is dropped) and the text between them, which may come
// in several calls.  Attributes come as name, value, ..., null, their names
// without prefix too and their values with references replaced.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void Start(std::string_view name, const char** attributes) = 0;
    virtual void End(std::string_view name) = 0;
    virtual void Text(std::string_view) {}

    // The value of the first attribute of local name `name`, or null.
    static const char* Attribute(const char** attributes, std::string_view name);

protected:
    // Ends the parse with a fault, or (Finish) as if the document ended here.
    void Fail(ReaderFault fault);
    void Finish() { finished_ = true; }
    // Ends the parse for now after this event; the next parse goes on from here.
    void Pause() { paused_ = true; }

private:
    friend class XmlScanner;
    friend class XmlPartReader;
    std::optional<ReaderFault> fault_;
    bool finished_ = false;
    bool paused_ = false;
};

// Where XmlScanner::Scan stopped.
enum class XmlScanStop {
    kNeedInput,  // all input given so far is used: give more, or EndInput
    kPaused,     // the handler paused
    kEnd,        // the document ended, or the handler finished or failed
    kDocumentType,
    kMalformed,  // see error() and line()
};

// A non-validating XML parser of UTF-8 documents for the parts of
// workbooks, fed piece by piece (a token may straddle pieces).  It knows
// elements, attributes in either quotes, the five predefined entities,
// character references, comments, processing instructions, CDATA sections
// and the XML declaration.  A document type declaration is refused before
// anything of it is read, so no entity is ever defined or expanded.  Input
// is parsed in place; only a token cut off at the end of the input is kept
// for the next piece.
class XmlScanner {
public:
    explicit XmlScanner(XmlHandler& handler) : handler_(handler) {}

    // Room for at least `bytes` more bytes of the document (more while a
    // long token is cut off), to be filled and then given by Append.
    std::span<char> InputSpace(std::size_t bytes);
    void Append(std::size_t bytes);
    void EndInput();

    XmlScanStop Scan();

    // After kMalformed: what is wrong, and the line where it was found.
    const char* error() const { return error_; }
    unsigned long line() const { return line_; }

private:
    enum class Step { kDone, kIncomplete, kFailed };
    enum class Match { kYes, kNo, kCutOff };
    struct AttributeAt {
        std::size_t name, nameEnd, localName, value, valueEnd;
        bool decode;  // holds references or white space other than " "
    };

    Step Token();
    Step Markup();
    Step StartTag();
    Step EndTag();
    Step CharData();
    Step Outside();  // white space between the elements at the top
    Step Comment();
    Step CData();
    Step ProcessingInstruction();
    bool XmlDeclarationFits(std::string_view rest);
    // Whether the input at begin_ starts with `prefix` (kCutOff: as far as it goes).
    Match Starts(std::string_view prefix) const;
    // Where `what` is found from `from` on; end_ when not in the input.
    std::size_t Find(std::string_view what, std::size_t from) const;
    // A name at `at`, which it passes, and where its part after any ":" starts.
    Step Name(std::size_t& at, std::size_t& localName);
    Step AttributeValue(std::size_t& at, AttributeAt& attribute);
    // Decodes a checked value in place; gives its new end.
    std::size_t DecodeValue(const AttributeAt& attribute);
    Step Reference(std::size_t at, std::size_t& length, char decoded[4], std::size_t& decodedLength);
    Step Utf8(std::size_t at, std::size_t& length);
    // Checks the characters of [from, to), which are whole, and turns the
    // line ends in it into "\n": `to` becomes the new end.
    Step CheckedText(std::size_t from, std::size_t& to);
    bool DuplicateAttributes() const;

    Step Malformed(std::size_t at, const char* error);
    bool Stopped() const { return handler_.fault_ || handler_.finished_; }

    XmlHandler& handler_;
    std::vector<char> buffer_ = std::vector<char>(1, '\0');  // the input, and a '\0' after it
    std::size_t begin_ = 0, end_ = 0;                        // the input not yet parsed
    bool last_ = false;
    std::uint64_t parsed_ = 0;     // bytes of the document before buffer_[0]
    std::uint64_t lineEnds_ = 0;   // "\n" in all the input given
    std::string openNames_;        // the qualified names of the open elements, one after the other
    std::vector<std::size_t> nameEnds_;
    std::vector<AttributeAt> attributes_;
    std::vector<const char*> attributeTexts_;
    bool rootSeen_ = false;
    bool doctype_ = false;
    bool unknownEncoding_ = false;
    std::uint64_t declarationAt_ = 0;  // where an XML declaration may stand: at the start, or after a byte order mark
    const char* error_ = nullptr;
    unsigned long line_ = 0;
};

}  // namespace kalderon
