#include "import/XmlScanner.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "import/Utf16Text.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

using Byte = unsigned char;

// The byte after the input: a '\0' that ends every scan.
constexpr std::size_t kSlack = 1;

// Classes of bytes.  The '\0' after the input is in none of them, so a
// loop over a class stops at the end of the input without counting.
enum ByteClass : std::uint8_t {
    kPlainText = 1,   // stands for itself in text
    kPlainValue = 2,  // stands for itself in an attribute value
    kNameStart = 4,   // may begin a name (bytes of UTF-8 sequences are checked apart)
    kNameAscii = 8,   // an ASCII byte of a name other than ":"
    kSpace = 16,
    kAsciiChar = 32,  // a character XML allows, other than a carriage return
};

constexpr std::array<std::uint8_t, 256> MakeByteClasses()
{
    std::array<std::uint8_t, 256> classes{};
    for (int b = 0; b < 256; ++b) {
        const bool letter = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
        const bool digit = b >= '0' && b <= '9';
        const bool printable = b >= 0x20 && b < 0x80;
        std::uint8_t c = 0;
        if ((printable && b != '<' && b != '&' && b != ']') || b == '\t' || b == '\n') c |= kPlainText;
        if (printable && b != '<' && b != '&' && b != '"' && b != '\'') c |= kPlainValue;
        if (letter || b == '_' || b == ':' || b >= 0x80) c |= kNameStart;
        if (letter || b == '_' || digit || b == '-' || b == '.') c |= kNameAscii;
        if (b == ' ' || b == '\t' || b == '\n' || b == '\r') c |= kSpace;
        if (printable || b == '\t' || b == '\n') c |= kAsciiChar;
        classes[static_cast<std::size_t>(b)] = c;
    }
    return classes;
}

constexpr std::array<std::uint8_t, 256> kByteClasses = MakeByteClasses();

bool Is(char c, ByteClass kind) { return (kByteClasses[static_cast<Byte>(c)] & kind) != 0; }

bool IsXmlChar(std::uint32_t code)
{
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    const char lower = static_cast<char>(c | 0x20);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? x | 0x20 : x) == (y >= 'A' && y <= 'Z' ? y | 0x20 : y);
           });
}

constexpr std::pair<std::string_view, char> kEntities[] = {
    {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};

}  // namespace

void XmlHandler::Fail(ReaderFault fault)
{
    if (!fault_) fault_ = std::move(fault);
}

const char* XmlHandler::Attribute(const char** attributes, std::string_view name)
{
    for (const char** a = attributes; a[0]; a += 2) {
        std::size_t same = 0;
        while (same < name.size() && a[0][same] == name[same]) ++same;
        if (same == name.size() && a[0][same] == '\0') return a[1];
    }
    return nullptr;
}

std::span<char> XmlScanner::InputSpace(std::size_t bytes)
{
    const std::size_t kept = end_ - begin_;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
        parsed_ += begin_;
        begin_ = 0;
        end_ = kept;
    }
    // A token cut off again and again doubles the room, so that it is
    // scanned anew only as often as the input doubles.
    const std::size_t room = std::max(bytes, kept);
    if (buffer_.size() < kept + room + kSlack) buffer_.resize(kept + room + kSlack);
    return {buffer_.data() + end_, buffer_.size() - kSlack - end_};
}

void XmlScanner::Append(std::size_t bytes)
{
    const char* at = buffer_.data() + end_;
    const char* const end = at + bytes;
    while ((at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)))) != nullptr) {
        ++lineEnds_;
        ++at;
    }
    end_ += bytes;
    buffer_[end_] = '\0';
}

void XmlScanner::EndInput() { last_ = true; }

XmlScanStop XmlScanner::Scan()
{
    for (;;) {
        if (error_) return XmlScanStop::kMalformed;
        if (doctype_) return XmlScanStop::kDocumentType;
        if (Stopped()) return XmlScanStop::kEnd;
        if (handler_.paused_) {
            handler_.paused_ = false;
            return XmlScanStop::kPaused;
        }
        if (begin_ == end_) {
            if (!last_) return XmlScanStop::kNeedInput;
            if (!rootSeen_ || !nameEnds_.empty()) Malformed(begin_, text::kXmlNoElement);
            return error_ ? XmlScanStop::kMalformed : XmlScanStop::kEnd;
        }
        if (Token() == Step::kIncomplete) {
            if (!last_) return XmlScanStop::kNeedInput;
            Malformed(begin_, text::kXmlUnclosedToken);
        }
    }
}

XmlScanner::Step XmlScanner::Token()
{
    if (buffer_[begin_] == '<') return Markup();
    return nameEnds_.empty() ? Outside() : CharData();
}

XmlScanner::Step XmlScanner::Markup()
{
    if (begin_ + 1 == end_) return Step::kIncomplete;
    const char kind = buffer_[begin_ + 1];
    if (kind == '/') return EndTag();
    if (kind == '?') return ProcessingInstruction();
    if (kind != '!') return StartTag();
    const bool inContent = !nameEnds_.empty();
    const Match comment = Starts("<!--");
    if (comment == Match::kYes) return Comment();
    const Match special = Starts(inContent ? "<![CDATA[" : "<!DOCTYPE");
    if (special == Match::kYes) {
        if (inContent) return CData();
        if (rootSeen_) return Malformed(begin_, text::kXmlJunkAfterRoot);
        doctype_ = true;
        return Step::kFailed;
    }
    if (comment == Match::kCutOff || special == Match::kCutOff) return Step::kIncomplete;
    return Malformed(begin_, text::kXmlInvalidToken);
}

XmlScanner::Match XmlScanner::Starts(std::string_view prefix) const
{
    const std::size_t have = std::min(prefix.size(), end_ - begin_);
    if (std::memcmp(buffer_.data() + begin_, prefix.data(), have) != 0) return Match::kNo;
    return have == prefix.size() ? Match::kYes : Match::kCutOff;
}

XmlScanner::Step XmlScanner::StartTag()
{
    if (rootSeen_ && nameEnds_.empty()) return Malformed(begin_, text::kXmlJunkAfterRoot);
    std::size_t at = begin_ + 1, local = 0;
    if (const Step name = Name(at, local); name != Step::kDone) return name;
    const std::size_t nameEnd = at;
    attributes_.clear();
    bool empty = false;
    for (;;) {
        const std::size_t spaceFrom = at;
        while (Is(buffer_[at], kSpace)) ++at;
        if (at == end_) return Step::kIncomplete;
        const char c = buffer_[at];
        if (c == '>') {
            ++at;
            break;
        }
        if (c == '/') {
            if (at + 1 == end_) return Step::kIncomplete;
            if (buffer_[at + 1] != '>') return Malformed(at, text::kXmlInvalidToken);
            at += 2;
            empty = true;
            break;
        }
        if (at == spaceFrom) return Malformed(at, text::kXmlInvalidToken);
        AttributeAt& attribute = attributes_.emplace_back();
        attribute.name = at;
        if (const Step name = Name(at, attribute.localName); name != Step::kDone) return name;
        attribute.nameEnd = at;
        while (Is(buffer_[at], kSpace)) ++at;
        if (at == end_) return Step::kIncomplete;
        if (buffer_[at] != '=') return Malformed(at, text::kXmlInvalidToken);
        ++at;
        while (Is(buffer_[at], kSpace)) ++at;
        if (at == end_) return Step::kIncomplete;
        if (buffer_[at] != '"' && buffer_[at] != '\'') return Malformed(at, text::kXmlInvalidToken);
        if (const Step value = AttributeValue(at, attribute); value != Step::kDone) return value;
    }
    if (DuplicateAttributes()) return Malformed(begin_, text::kXmlDuplicateAttribute);

    // The tag is whole: its names and values are ended and decoded in place.
    char* const base = buffer_.data();
    attributeTexts_.clear();
    for (const AttributeAt& attribute : attributes_) {
        base[attribute.nameEnd] = '\0';
        base[attribute.decode ? DecodeValue(attribute) : attribute.valueEnd] = '\0';
        attributeTexts_.push_back(base + attribute.localName);
        attributeTexts_.push_back(base + attribute.value);
    }
    attributeTexts_.push_back(nullptr);
    const std::string_view name(base + local, nameEnd - local);
    if (!empty) {
        openNames_.append(base + begin_ + 1, nameEnd - begin_ - 1);
        nameEnds_.push_back(openNames_.size());
    }
    begin_ = at;
    rootSeen_ = true;
    handler_.Start(name, attributeTexts_.data());
    if (empty && !Stopped()) handler_.End(name);
    return Step::kDone;
}

XmlScanner::Step XmlScanner::EndTag()
{
    // Mostly the name of the open element and ">" follow at once.
    if (!nameEnds_.empty()) {
        const std::size_t openFrom = nameEnds_.size() > 1 ? nameEnds_[nameEnds_.size() - 2] : 0;
        const std::string_view open = std::string_view(openNames_).substr(openFrom);
        const std::size_t close = begin_ + 2 + open.size();
        if (close < end_ && buffer_[close] == '>' && std::memcmp(buffer_.data() + begin_ + 2, open.data(), open.size()) == 0) {
            const std::size_t local = open.rfind(':') + 1;  // 0 without a prefix
            const std::string_view name(buffer_.data() + begin_ + 2 + local, open.size() - local);
            openNames_.resize(openFrom);
            nameEnds_.pop_back();
            begin_ = close + 1;
            handler_.End(name);
            return Step::kDone;
        }
    }
    std::size_t at = begin_ + 2, local = 0;
    if (const Step name = Name(at, local); name != Step::kDone) return name;
    const std::size_t nameEnd = at;
    while (Is(buffer_[at], kSpace)) ++at;
    if (at == end_) return Step::kIncomplete;
    if (buffer_[at] != '>') return Malformed(at, text::kXmlInvalidToken);
    if (nameEnds_.empty()) return Malformed(begin_, rootSeen_ ? text::kXmlJunkAfterRoot : text::kXmlSyntaxError);
    const std::size_t openFrom = nameEnds_.size() > 1 ? nameEnds_[nameEnds_.size() - 2] : 0;
    if (std::string_view(openNames_).substr(openFrom) != std::string_view(buffer_.data() + begin_ + 2, nameEnd - begin_ - 2))
        return Malformed(begin_, text::kXmlMismatchedTag);
    openNames_.resize(openFrom);
    nameEnds_.pop_back();
    begin_ = at + 1;
    handler_.End(std::string_view(buffer_.data() + local, nameEnd - local));
    return Step::kDone;
}

XmlScanner::Step XmlScanner::CharData()
{
    char* const base = buffer_.data();
    const std::size_t start = begin_;
    std::size_t read = begin_, written = begin_;
    for (;;) {
        const std::size_t plainFrom = read;
        while (Is(base[read], kPlainText)) ++read;
        if (written != plainFrom) std::memmove(base + written, base + plainFrom, read - plainFrom);
        written += read - plainFrom;
        const char c = base[read];
        if (c == '<' || read == end_) break;
        Step step = Step::kDone;
        if (c == '&') {
            std::size_t length = 0;
            char decoded[4];
            std::size_t decodedLength = 0;
            step = Reference(read, length, decoded, decodedLength);
            if (step == Step::kDone) {
                std::memcpy(base + written, decoded, decodedLength);
                written += decodedLength;
                read += length;
            }
        } else if (c == '\r') {
            if (read + 1 == end_ && !last_) break;
            base[written++] = '\n';
            read += base[read + 1] == '\n' ? 2 : 1;
        } else if (c == ']') {
            if ((read + 1 == end_ || (read + 2 == end_ && base[read + 1] == ']')) && !last_) break;
            if (base[read + 1] == ']' && base[read + 2] == '>') return Malformed(read, text::kXmlInvalidToken);
            base[written++] = base[read++];
        } else if (static_cast<Byte>(c) >= 0x80) {
            std::size_t length = 0;
            step = Utf8(read, length);
            if (step == Step::kDone) {
                std::memmove(base + written, base + read, length);
                written += length;
                read += length;
            }
        } else {
            return Malformed(read, text::kXmlInvalidToken);
        }
        if (step == Step::kFailed) return step;
        if (step == Step::kIncomplete) break;
    }
    if (read == start) return Step::kIncomplete;
    begin_ = read;
    if (written > start) handler_.Text(std::string_view(base + start, written - start));
    return Step::kDone;
}

XmlScanner::Step XmlScanner::Outside()
{
    std::size_t at = begin_;
    if (parsed_ + at == 0) {
        const Byte first = static_cast<Byte>(buffer_[0]);
        if (first == 0xFE || first == 0xFF) return Malformed(0, text::kXmlUnknownEncoding);
        if (first == 0xEF) {
            if (end_ < 3) return Step::kIncomplete;
            if (std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) != 0) return Malformed(0, text::kXmlInvalidToken);
            begin_ = declarationAt_ = 3;
            return Step::kDone;
        }
    }
    while (Is(buffer_[at], kSpace)) ++at;
    if (at == begin_) return Malformed(at, rootSeen_ ? text::kXmlJunkAfterRoot : text::kXmlSyntaxError);
    begin_ = at;
    return Step::kDone;
}

XmlScanner::Step XmlScanner::Comment()
{
    const std::size_t from = begin_ + 4;
    const std::size_t end = Find("--", from);
    if (end == end_) return Step::kIncomplete;
    if (end + 2 == end_) return Step::kIncomplete;
    if (buffer_[end + 2] != '>') return Malformed(end, text::kXmlInvalidToken);
    std::size_t to = end;
    if (const Step checked = CheckedText(from, to); checked != Step::kDone) return checked;
    begin_ = end + 3;
    return Step::kDone;
}

XmlScanner::Step XmlScanner::CData()
{
    const std::size_t from = begin_ + 9;
    const std::size_t end = Find("]]>", from);
    if (end == end_) return Step::kIncomplete;
    std::size_t to = end;
    if (const Step checked = CheckedText(from, to); checked != Step::kDone) return checked;
    begin_ = end + 3;
    if (to > from) handler_.Text(std::string_view(buffer_.data() + from, to - from));
    return Step::kDone;
}

XmlScanner::Step XmlScanner::ProcessingInstruction()
{
    std::size_t at = begin_ + 2, local = 0;
    if (const Step name = Name(at, local); name != Step::kDone) return name;
    const std::string_view target(buffer_.data() + begin_ + 2, at - begin_ - 2);
    const std::size_t end = Find("?>", at);
    if (end == end_) return Step::kIncomplete;
    if (at != end && !Is(buffer_[at], kSpace)) return Malformed(at, text::kXmlInvalidToken);
    if (SameIgnoringCase(target, "xml")) {
        if (target != "xml" || parsed_ + begin_ != declarationAt_) return Malformed(begin_, text::kXmlMisplacedDeclaration);
        if (!XmlDeclarationFits(std::string_view(buffer_.data() + at, end - at)))
            return Malformed(begin_, unknownEncoding_ ? text::kXmlUnknownEncoding : text::kXmlBadDeclaration);
    } else {
        std::size_t to = end;
        if (const Step checked = CheckedText(at, to); checked != Step::kDone) return checked;
    }
    begin_ = end + 2;
    return Step::kDone;
}

bool XmlScanner::XmlDeclarationFits(std::string_view rest)
{
    static constexpr std::string_view kNames[] = {"version", "encoding", "standalone"};
    const auto spaces = [&rest] {
        std::size_t n = 0;
        while (n < rest.size() && Is(rest[n], kSpace)) ++n;
        rest.remove_prefix(n);
        return n;
    };
    std::size_t next = 0;  // the first of kNames that may still come
    while (spaces() > 0 && !rest.empty()) {
        const std::size_t equals = rest.find('=');
        if (equals == std::string_view::npos) return false;
        std::string_view name = rest.substr(0, equals);
        while (!name.empty() && Is(name.back(), kSpace)) name.remove_suffix(1);
        std::size_t which = next;
        while (which < std::size(kNames) && kNames[which] != name) ++which;
        if (which == std::size(kNames) || (next == 0 && which != 0)) return false;
        rest.remove_prefix(equals + 1);
        spaces();
        if (rest.empty() || (rest[0] != '"' && rest[0] != '\'')) return false;
        const std::size_t close = rest.find(rest[0], 1);
        if (close == std::string_view::npos) return false;
        const std::string_view value = rest.substr(1, close - 1);
        if (which == 0 && (value.empty() || value.find_first_not_of("0123456789.") != std::string_view::npos)) return false;
        if (which == 1 && !SameIgnoringCase(value, "UTF-8") && !SameIgnoringCase(value, "US-ASCII")) {
            unknownEncoding_ = true;
            return false;
        }
        if (which == 2 && value != "yes" && value != "no") return false;
        next = which + 1;
        rest.remove_prefix(close + 1);
    }
    return rest.empty() && next > 0;
}

std::size_t XmlScanner::Find(std::string_view what, std::size_t from) const
{
    const std::string_view input(buffer_.data(), end_);
    const std::size_t found = input.find(what, from);
    return found == std::string_view::npos ? end_ : found;
}

// Names and values are most of a sheet's bytes: their loops are inlined
// into the scanners of tags.
[[gnu::always_inline]] inline XmlScanner::Step XmlScanner::Name(std::size_t& at, std::size_t& localName)
{
    const char* const base = buffer_.data();
    std::size_t end = at;
    if (!Is(base[end], kNameStart)) return end == end_ ? Step::kIncomplete : Malformed(end, text::kXmlInvalidToken);
    localName = end;
    for (;;) {
        while (Is(base[end], kNameAscii) && Is(base[end + 1], kNameAscii) && Is(base[end + 2], kNameAscii) &&
               Is(base[end + 3], kNameAscii))
            end += 4;
        while (Is(base[end], kNameAscii)) ++end;
        const char c = base[end];
        if (c == ':') {
            localName = ++end;
        } else if (static_cast<Byte>(c) >= 0x80) {
            std::size_t length = 0;
            if (const Step character = Utf8(end, length); character != Step::kDone) return character;
            end += length;
        } else {
            break;
        }
    }
    at = end;
    return end == end_ ? Step::kIncomplete : Step::kDone;
}

[[gnu::always_inline]] inline XmlScanner::Step XmlScanner::AttributeValue(std::size_t& at, AttributeAt& attribute)
{
    const char* const base = buffer_.data();
    const char quote = base[at];
    std::size_t end = at + 1;
    attribute.value = end;
    attribute.decode = false;
    for (;;) {
        while (Is(base[end], kPlainValue)) ++end;
        if (end == end_) return Step::kIncomplete;
        const char c = base[end];
        if (c == quote) break;
        std::size_t length = 1;
        if (c == '&') {
            char decoded[4];
            std::size_t decodedLength = 0;
            if (const Step reference = Reference(end, length, decoded, decodedLength); reference != Step::kDone)
                return reference;
            attribute.decode = true;
        } else if (c == '\t' || c == '\n' || c == '\r') {
            attribute.decode = true;
        } else if (static_cast<Byte>(c) >= 0x80) {
            if (const Step character = Utf8(end, length); character != Step::kDone) return character;
        } else if (c != '"' && c != '\'') {
            return Malformed(end, text::kXmlInvalidToken);
        }
        end += length;
    }
    attribute.valueEnd = end;
    at = end + 1;
    return Step::kDone;
}

std::size_t XmlScanner::DecodeValue(const AttributeAt& attribute)
{
    char* const base = buffer_.data();
    std::size_t written = attribute.value;
    for (std::size_t read = attribute.value; read < attribute.valueEnd;) {
        const char c = base[read];
        if (c == '&') {
            std::size_t length = 0, decodedLength = 0;
            char decoded[4];
            Reference(read, length, decoded, decodedLength);
            std::memcpy(base + written, decoded, decodedLength);
            written += decodedLength;
            read += length;
        } else if (c == '\t' || c == '\n' || c == '\r') {
            base[written++] = ' ';
            read += c == '\r' && base[read + 1] == '\n' ? 2 : 1;
        } else {
            base[written++] = base[read++];
        }
    }
    return written;
}

XmlScanner::Step XmlScanner::Reference(std::size_t at, std::size_t& length, char decoded[4], std::size_t& decodedLength)
{
    const char* const base = buffer_.data();
    std::size_t end = at + 1;
    if (base[end] == '#') {
        const bool hex = base[++end] == 'x';
        if (hex) ++end;
        const std::size_t digits = end;
        std::uint32_t code = 0;
        for (int digit; (digit = HexDigit(base[end])) >= 0 && (hex || digit < 10); ++end)
            code = std::min<std::uint32_t>(code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit), 0x110000);
        if (end == end_) return Step::kIncomplete;
        if (end == digits || base[end] != ';') return Malformed(end, text::kXmlInvalidToken);
        if (!IsXmlChar(code)) return Malformed(at, text::kXmlBadCharacterReference);
        decodedLength = EncodeUtf8(code, decoded);
    } else {
        std::size_t local = 0;
        if (const Step name = Name(end, local); name != Step::kDone) return name;
        if (base[end] != ';') return Malformed(end, text::kXmlInvalidToken);
        const std::string_view entity(base + at + 1, end - at - 1);
        const auto known = std::find_if(std::begin(kEntities), std::end(kEntities),
                                        [entity](const auto& e) { return e.first == entity; });
        if (known == std::end(kEntities)) return Malformed(at, text::kXmlUndefinedEntity);
        decoded[0] = known->second;
        decodedLength = 1;
    }
    length = end + 1 - at;
    return Step::kDone;
}

XmlScanner::Step XmlScanner::Utf8(std::size_t at, std::size_t& length)
{
    const Byte* const bytes = reinterpret_cast<const Byte*>(buffer_.data() + at);
    const std::size_t have = end_ - at;
    const Byte lead = bytes[0];
    Byte low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return Malformed(at, text::kXmlInvalidToken);
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i == have) return Step::kIncomplete;
        if (bytes[i] < (i == 1 ? low : 0x80) || bytes[i] > (i == 1 ? high : 0xBF)) return Malformed(at, text::kXmlInvalidToken);
    }
    if (lead == 0xEF && bytes[1] == 0xBF && bytes[2] >= 0xBE) return Malformed(at, text::kXmlInvalidToken);  // U+FFFE, U+FFFF
    return Step::kDone;
}

XmlScanner::Step XmlScanner::CheckedText(std::size_t from, std::size_t& to)
{
    char* const base = buffer_.data();
    std::size_t written = from;
    for (std::size_t read = from; read < to;) {
        const char c = base[read];
        std::size_t length = 1;
        if (c == '\r') {
            base[written++] = '\n';
            read += base[read + 1] == '\n' ? 2 : 1;
            continue;
        }
        if (static_cast<Byte>(c) >= 0x80) {
            // A sequence cut off by the end of the markup is no character.
            const Step character = Utf8(read, length);
            if (character == Step::kFailed) return character;
            if (character == Step::kIncomplete || read + length > to) return Malformed(read, text::kXmlInvalidToken);
        } else if (!Is(c, kAsciiChar)) {
            return Malformed(read, text::kXmlInvalidToken);
        }
        std::memmove(base + written, base + read, length);
        written += length;
        read += length;
    }
    to = written;
    return Step::kDone;
}

bool XmlScanner::DuplicateAttributes() const
{
    const auto nameOf = [this](const AttributeAt& attribute) {
        return std::string_view(buffer_.data() + attribute.name, attribute.nameEnd - attribute.name);
    };
    if (attributes_.size() <= 8) {
        for (std::size_t i = 1; i < attributes_.size(); ++i)
            for (std::size_t j = 0; j < i; ++j)
                if (nameOf(attributes_[i]) == nameOf(attributes_[j])) return true;
        return false;
    }
    std::vector<std::string_view> names;
    for (const AttributeAt& attribute : attributes_) names.push_back(nameOf(attribute));
    std::sort(names.begin(), names.end());
    return std::adjacent_find(names.begin(), names.end()) != names.end();
}

XmlScanner::Step XmlScanner::Malformed(std::size_t at, const char* error)
{
    error_ = error;
    const auto unread = std::count(buffer_.begin() + static_cast<std::ptrdiff_t>(at), buffer_.begin() + static_cast<std::ptrdiff_t>(end_), '\n');
    line_ = static_cast<unsigned long>(1 + lineEnds_ - static_cast<std::uint64_t>(unread));
    return Step::kFailed;
}

}  // namespace kalderon
