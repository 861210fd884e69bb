#include "import/ZipArchive.h"

#include <algorithm>
#include <climits>
#include <vector>

#include <isa-l/igzip_lib.h>
#include <zip.h>

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {

namespace {

constexpr std::size_t kDeflatedPieceBytes = 1 << 16;

// The archive library's text for one of its error codes.
std::string ZipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

}  // namespace

struct ZipMember::Inflater {
    explicit Inflater(std::uint32_t crc) : crc(crc)
    {
        isal_inflate_init(&state);
        state.crc_flag = ISAL_GZIP_NO_HDR;  // the CRC of the output, as zip archives keep it
    }

    inflate_state state;
    const std::uint32_t crc;
    std::vector<std::uint8_t> input = std::vector<std::uint8_t>(kDeflatedPieceBytes);
    bool inputEnded = false;
};

ZipMember::ZipMember(zip_file* file, std::string name, std::uint64_t size, std::optional<std::uint32_t> deflatedCrc)
    : file_(file), name_(std::move(name)), size_(size)
{
    if (deflatedCrc) inflater_ = std::make_unique<Inflater>(*deflatedCrc);
}

ZipMember::~ZipMember() { zip_fclose(file_); }

ReaderFault ZipMember::Unreadable(const std::string& why) const
{
    return ReaderFault::Described(FormatText(text::kWorkbookPartUnreadable, name_, why));
}

ReadResult<std::size_t> ZipMember::Read(char* buffer, std::size_t capacity)
{
    const ReadResult<std::size_t> got = inflater_ ? Inflate(buffer, capacity) : ReadAsLibraryGives(buffer, capacity);
    if (!got) return got;
    read_ += *got;
    if (read_ > size_) return ReaderFault::Described(FormatText(text::kWorkbookPartOverrun, name_));
    return got;
}

ReadResult<std::size_t> ZipMember::ReadAsLibraryGives(char* buffer, std::size_t capacity)
{
    const zip_int64_t got = zip_fread(file_, buffer, capacity);
    if (got < 0) return Unreadable(zip_file_strerror(file_));
    return static_cast<std::size_t>(got);
}

ReadResult<std::size_t> ZipMember::Inflate(char* buffer, std::size_t capacity)
{
    inflate_state& state = inflater_->state;
    state.next_out = reinterpret_cast<std::uint8_t*>(buffer);
    state.avail_out = static_cast<std::uint32_t>(std::min<std::size_t>(capacity, UINT32_MAX));
    while (state.avail_out > 0 && state.block_state != ISAL_BLOCK_FINISH) {
        if (state.avail_in == 0) {
            if (inflater_->inputEnded) return Unreadable(ZipErrorText(ZIP_ER_EOF));
            const zip_int64_t got = zip_fread(file_, inflater_->input.data(), inflater_->input.size());
            if (got < 0) return Unreadable(zip_file_strerror(file_));
            inflater_->inputEnded = got == 0;
            state.next_in = inflater_->input.data();
            state.avail_in = static_cast<std::uint32_t>(got);
            continue;
        }
        const std::uint32_t in = state.avail_in, out = state.avail_out;
        if (isal_inflate(&state) != ISAL_DECOMP_OK || (state.avail_in == in && state.avail_out == out))
            return Unreadable(ZipErrorText(ZIP_ER_COMPRESSED_DATA));
    }
    const auto got = static_cast<std::size_t>(reinterpret_cast<char*>(state.next_out) - buffer);
    if (got == 0 && (state.crc != inflater_->crc || read_ != size_)) return Unreadable(ZipErrorText(ZIP_ER_CRC));
    return got;
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
    constexpr zip_uint64_t kInflatable = ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD | ZIP_STAT_CRC;
    const bool inflateHere = (stat.valid & kInflatable) == kInflatable && stat.comp_method == ZIP_CM_DEFLATE &&
                             stat.encryption_method == ZIP_EM_NONE;
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), inflateHere ? ZIP_FL_COMPRESSED : 0);
    if (!file) return ReaderFault::Described(FormatText(text::kWorkbookPartUnreadable, member, zip_strerror(archive_)));
    return std::make_unique<ZipMember>(file, member, stat.size, inflateHere ? std::optional(stat.crc) : std::nullopt);
}

}  // namespace kalderon
