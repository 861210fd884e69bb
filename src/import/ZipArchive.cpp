#include "import/ZipArchive.h"

#include <zip.h>

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {

ZipMember::~ZipMember() { zip_fclose(file_); }

ReadResult<std::size_t> ZipMember::Read(char* buffer, std::size_t capacity)
{
    const zip_int64_t got = zip_fread(file_, buffer, capacity);
    if (got < 0) return ReaderFault::Described(FormatText(text::kWorkbookPartUnreadable, name_, zip_file_strerror(file_)));
    read_ += static_cast<std::uint64_t>(got);
    if (read_ > size_) return ReaderFault::Described(FormatText(text::kWorkbookPartOverrun, name_));
    return static_cast<std::size_t>(got);
}

ReadResult<std::unique_ptr<ZipArchive>> ZipArchive::Open(const std::string& path)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!archive) return ReaderFault::Described(text::kWorkbookNotZip);
    return std::unique_ptr<ZipArchive>(new ZipArchive(archive));
}

ZipArchive::~ZipArchive() { zip_discard(archive_); }

bool ZipArchive::Has(const std::string& member) const { return zip_name_locate(archive_, member.c_str(), 0) >= 0; }

ReadResult<std::unique_ptr<ZipMember>> ZipArchive::OpenMember(const std::string& member) const
{
    const zip_int64_t index = zip_name_locate(archive_, member.c_str(), 0);
    if (index < 0) return ReaderFault::Described(FormatText(text::kWorkbookPartMissing, member));
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        (stat.valid & (ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE)) != (ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE))
        return ReaderFault::Described(FormatText(text::kWorkbookPartUnreadable, member, zip_strerror(archive_)));
    const auto size = static_cast<unsigned long long>(stat.size);
    if (stat.size > kLargestZipMember)
        return ReaderFault::Described(FormatText(text::kWorkbookPartTooLarge, member, size));
    if (stat.size > (std::uint64_t{1} << 20) && stat.size / kLargestZipExpansion > stat.comp_size)
        return ReaderFault::Described(
            FormatText(text::kWorkbookPartExpandsTooMuch, member, static_cast<unsigned long long>(stat.comp_size), size));
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
    if (!file) return ReaderFault::Described(FormatText(text::kWorkbookPartUnreadable, member, zip_strerror(archive_)));
    return std::make_unique<ZipMember>(file, member, stat.size);
}

}  // namespace kalderon
