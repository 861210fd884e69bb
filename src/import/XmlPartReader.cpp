#include "import/XmlPartReader.h"

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

constexpr std::size_t kPieceBytes = 1 << 16;

}  // namespace

ReadResult<bool> XmlPartReader::ParseNextPiece()
{
    if (atEnd_) return false;
    if (!paused_) {
        const std::span<char> space = scanner_.InputSpace(kPieceBytes);
        const ReadResult<std::size_t> got = member_->Read(space.data(), space.size());
        if (!got) return got.fault();
        if (*got == 0)
            scanner_.EndInput();
        else
            scanner_.Append(*got);
    }
    const XmlScanStop stop = scanner_.Scan();
    paused_ = stop == XmlScanStop::kPaused;
    if (stop == XmlScanStop::kPaused || stop == XmlScanStop::kNeedInput) return true;
    atEnd_ = true;
    if (stop == XmlScanStop::kDocumentType)
        return ReaderFault::Described(FormatText(text::kWorkbookPartDoctype, member_->name()));
    if (stop == XmlScanStop::kMalformed)
        return ReaderFault::Described(FormatText(text::kWorkbookPartNotXml, member_->name(), scanner_.error(), scanner_.line()));
    if (handler_.fault_) return *handler_.fault_;
    return false;
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
