#pragma once

#include <memory>
#include <string>

#include "import/ReaderFault.h"
#include "import/XmlScanner.h"
#include "import/ZipArchive.h"

namespace kalderon {

// Parses one member of a workbook's archive with a handler, piece by piece,
// so that a sheet of a million rows is never held whole.  A document type
// declaration is refused before anything of it is read.
class XmlPartReader {
public:
    XmlPartReader(std::unique_ptr<ZipMember> member, XmlHandler& handler)
        : member_(std::move(member)), handler_(handler), scanner_(handler)
    {
    }

    // Parses the next piece; false once the part has ended (or the handler
    // finished it).
    ReadResult<bool> ParseNextPiece();
    ReadResult<void> ParseAll();
    // The bytes of the part read so far, and of the whole part.
    std::uint64_t bytesRead() const { return member_->bytesRead(); }
    std::uint64_t size() const { return member_->size(); }

private:
    std::unique_ptr<ZipMember> member_;
    XmlHandler& handler_;
    XmlScanner scanner_;
    bool atEnd_ = false;
    bool paused_ = false;
};

// Opens the member of `archive` and parses it whole with `handler`.
ReadResult<void> ParseXmlPart(const ZipArchive& archive, const std::string& member, XmlHandler& handler);

}  // namespace kalderon
