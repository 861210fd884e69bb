#include "import/XmlPartReader.h"

#include <cstring>
#include <expat.h>

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

constexpr int kPieceBytes = 1 << 16;

}  // namespace

// Expat calls these with the handler as its user data.
struct XmlCallbacks {
    static XmlHandler& HandlerOf(void* data) { return *static_cast<XmlHandler*>(data); }

    static void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes)
    {
        HandlerOf(data).Start(XmlHandler::LocalName(name), attributes);
    }
    static void XMLCALL OnEnd(void* data, const XML_Char* name) { HandlerOf(data).End(XmlHandler::LocalName(name)); }
    static void XMLCALL OnText(void* data, const XML_Char* text, int length)
    {
        HandlerOf(data).Text(std::string_view(text, static_cast<size_t>(length)));
    }
    // A document type is refused from its first token, before any of its
    // declarations is read.
    static void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        XmlHandler& handler = HandlerOf(data);
        handler.doctype_ = true;
        XML_StopParser(handler.parser_, XML_FALSE);
    }
};

std::string_view XmlHandler::LocalName(const char* name)
{
    const char* colon = std::strrchr(name, ':');
    return colon ? std::string_view(colon + 1) : std::string_view(name);
}

const char* XmlHandler::Attribute(const char** attributes, std::string_view name)
{
    for (const char** a = attributes; a[0]; a += 2)
        if (LocalName(a[0]) == name) return a[1];
    return nullptr;
}

void XmlHandler::Fail(ReaderFault fault)
{
    if (!fault_) fault_ = std::move(fault);
    XML_StopParser(parser_, XML_FALSE);
}

void XmlHandler::Pause() { XML_StopParser(parser_, XML_TRUE); }

void XmlHandler::Finish()
{
    finished_ = true;
    XML_StopParser(parser_, XML_FALSE);
}

XmlPartReader::XmlPartReader(std::unique_ptr<ZipMember> member, XmlHandler& handler)
    : member_(std::move(member)), handler_(handler), parser_(XML_ParserCreate(nullptr))
{
    handler_.parser_ = parser_;
    XML_SetUserData(parser_, &handler_);
    XML_SetElementHandler(parser_, XmlCallbacks::OnStart, XmlCallbacks::OnEnd);
    XML_SetCharacterDataHandler(parser_, XmlCallbacks::OnText);
    XML_SetStartDoctypeDeclHandler(parser_, XmlCallbacks::OnDoctype);
}

XmlPartReader::~XmlPartReader()
{
    handler_.parser_ = nullptr;
    XML_ParserFree(parser_);
}

ReadResult<bool> XmlPartReader::ParseNextPiece()
{
    if (atEnd_) return false;
    XML_Status status;
    if (paused_) {
        status = XML_ResumeParser(parser_);
    } else {
        void* buffer = XML_GetBuffer(parser_, kPieceBytes);
        if (!buffer) return ReaderFault::Status(kOutOfMemoryStatus);
        const ReadResult<std::size_t> got = member_->Read(static_cast<char*>(buffer), kPieceBytes);
        if (!got) return got.fault();
        lastFed_ = *got == 0;
        status = XML_ParseBuffer(parser_, static_cast<int>(*got), lastFed_);
    }
    paused_ = status == XML_STATUS_SUSPENDED;
    if (handler_.doctype_) {
        atEnd_ = true;
        return ReaderFault::Described(FormatText(text::kWorkbookPartDoctype, member_->name()));
    }
    if (handler_.fault_) {
        atEnd_ = true;
        return *handler_.fault_;
    }
    if (handler_.finished_) {
        atEnd_ = true;
        return false;
    }
    if (paused_) return true;
    if (status != XML_STATUS_OK) {
        atEnd_ = true;
        return ReaderFault::Described(FormatText(text::kWorkbookPartNotXml, member_->name(),
                                                 XML_ErrorString(XML_GetErrorCode(parser_)),
                                                 static_cast<unsigned long>(XML_GetCurrentLineNumber(parser_))));
    }
    atEnd_ = lastFed_;
    return !lastFed_;
}

ReadResult<void> XmlPartReader::ParseAll()
{
    for (;;) {
        const ReadResult<bool> more = ParseNextPiece();
        if (!more) return more.fault();
        if (!*more) return {};
    }
}

ReadResult<void> ParseXmlPart(const ZipArchive& archive, const std::string& member, XmlHandler& handler)
{
    ReadResult<std::unique_ptr<ZipMember>> opened = archive.OpenMember(member);
    if (!opened) return opened.fault();
    XmlPartReader reader(std::move(*opened), handler);
    return reader.ParseAll();
}

}  // namespace kalderon
