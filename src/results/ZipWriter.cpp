#include "results/ZipWriter.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfCentralDirectory = 0x06054b50;
constexpr std::uint32_t kZip64EndOfCentralDirectory = 0x06064b50;
constexpr std::uint32_t kZip64Locator = 0x07064b50;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kVersion = 20;       // deflate
constexpr std::uint16_t kVersionZip64 = 45;  // with 64-bit sizes and offsets
constexpr std::uint32_t kNo32Bits = 0xFFFFFFFF;
constexpr std::size_t kOutputBytes = 1 << 18;
constexpr long kLocalSizesAt = 14;  // the checksum and sizes, from a local header's start

// Little-endian fields, as the archive keeps them.
class Fields {
public:
    Fields& U16(std::uint32_t v) { return Bytes(v, 2); }
    Fields& U32(std::uint64_t v) { return Bytes(v, 4); }
    Fields& U64(std::uint64_t v) { return Bytes(v, 8); }
    Fields& Text(const std::string& text)
    {
        bytes_ += text;
        return *this;
    }
    const std::string& bytes() const { return bytes_; }

private:
    Fields& Bytes(std::uint64_t v, int count)
    {
        for (int i = 0; i < count; ++i) bytes_ += static_cast<char>((v >> (8 * i)) & 0xFF);
        return *this;
    }
    std::string bytes_;
};

}  // namespace

struct ZipWriter::Deflater {
    isal_zstream stream{};
    std::vector<std::uint8_t> levelBuffer = std::vector<std::uint8_t>(ISAL_DEF_LVL1_DEFAULT);
    std::vector<std::uint8_t> output = std::vector<std::uint8_t>(kOutputBytes);

    void Start()
    {
        isal_deflate_init(&stream);
        stream.level = 1;
        stream.level_buf = levelBuffer.data();
        stream.level_buf_size = static_cast<std::uint32_t>(levelBuffer.size());
        stream.gzip_flag = IGZIP_DEFLATE;
        stream.flush = NO_FLUSH;
    }
};

ZipWriter::ZipWriter(std::FILE* file) : file_(file), deflater_(std::make_unique<Deflater>())
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    dosTime_ = static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
    dosDate_ = static_cast<std::uint16_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
}

ZipWriter::~ZipWriter() = default;

void ZipWriter::Fail(const std::string& why)
{
    if (failure_.empty()) failure_ = why;
}

void ZipWriter::Put(const void* bytes, std::size_t count)
{
    if (count == 0 || !failure_.empty()) return;
    if (std::fwrite(bytes, 1, count, file_) != count) Fail(std::strerror(errno));
    position_ += count;
}

void ZipWriter::BeginEntry(const std::string& name)
{
    if (inEntry_) EndEntry();
    entries_.push_back(Entry{name, position_, 0, 0, 0});
    Fields header;
    header.U32(kLocalHeader).U16(kVersion).U16(0).U16(kDeflated).U16(dosTime_).U16(dosDate_);
    header.U32(0).U32(0).U32(0);  // set when the entry ends
    header.U16(static_cast<std::uint32_t>(name.size())).U16(0).Text(name);
    Put(header.bytes().data(), header.bytes().size());
    deflater_->Start();
    inEntry_ = true;
}

void ZipWriter::Write(std::string_view bytes)
{
    if (!inEntry_ || bytes.empty()) return;
    Entry& entry = entries_.back();
    entry.crc = crc32_gzip_refl(entry.crc, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    entry.size += bytes.size();
    Deflate(bytes, false);
}

void ZipWriter::Deflate(std::string_view bytes, bool last)
{
    isal_zstream& stream = deflater_->stream;
    stream.next_in = reinterpret_cast<std::uint8_t*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<std::uint32_t>(bytes.size());
    stream.end_of_stream = last ? 1 : 0;
    do {
        stream.next_out = deflater_->output.data();
        stream.avail_out = static_cast<std::uint32_t>(deflater_->output.size());
        if (isal_deflate(&stream) != COMP_OK) {
            Fail(text::kWorkbookDeflateFailed);
            return;
        }
        const std::size_t produced = deflater_->output.size() - stream.avail_out;
        Put(deflater_->output.data(), produced);
        entries_.back().deflatedSize += produced;
    } while (stream.avail_in > 0 || (last && stream.internal_state.state != ZSTATE_END));
}

void ZipWriter::EndEntry()
{
    if (!inEntry_) return;
    inEntry_ = false;
    Deflate({}, true);
    const Entry& entry = entries_.back();
    if (entry.size >= kNo32Bits || entry.deflatedSize >= kNo32Bits) Fail(FormatText(text::kWorkbookPartOver4GiB, entry.name));
    if (!failure_.empty()) return;
    Fields sizes;
    sizes.U32(entry.crc).U32(entry.deflatedSize).U32(entry.size);
    if (fseeko(file_, static_cast<off_t>(entry.offset) + kLocalSizesAt, SEEK_SET) != 0 ||
        std::fwrite(sizes.bytes().data(), 1, sizes.bytes().size(), file_) != sizes.bytes().size() ||
        fseeko(file_, static_cast<off_t>(position_), SEEK_SET) != 0)
        Fail(std::strerror(errno));
}

void ZipWriter::WriteCentralDirectory()
{
    const std::uint64_t start = position_;
    for (const Entry& entry : entries_) {
        const bool farOffset = entry.offset >= kNo32Bits;
        Fields header;
        header.U32(kCentralHeader).U16(farOffset ? kVersionZip64 : kVersion).U16(farOffset ? kVersionZip64 : kVersion);
        header.U16(0).U16(kDeflated).U16(dosTime_).U16(dosDate_);
        header.U32(entry.crc).U32(entry.deflatedSize).U32(entry.size);
        header.U16(static_cast<std::uint32_t>(entry.name.size())).U16(farOffset ? 12 : 0).U16(0);
        header.U16(0).U16(0).U32(0).U32(farOffset ? kNo32Bits : entry.offset).Text(entry.name);
        if (farOffset) header.U16(1).U16(8).U64(entry.offset);
        Put(header.bytes().data(), header.bytes().size());
    }
    const std::uint64_t size = position_ - start;
    const bool zip64 = start >= kNo32Bits || entries_.size() >= 0xFFFF;
    Fields end;
    if (zip64) {
        const std::uint64_t record = position_;
        end.U32(kZip64EndOfCentralDirectory).U64(44).U16(kVersionZip64).U16(kVersionZip64).U32(0).U32(0);
        end.U64(entries_.size()).U64(entries_.size()).U64(size).U64(start);
        end.U32(kZip64Locator).U32(0).U64(record).U32(1);
    }
    const std::uint32_t count = zip64 ? 0xFFFF : static_cast<std::uint32_t>(entries_.size());
    end.U32(kEndOfCentralDirectory).U16(0).U16(0).U16(count).U16(count);
    end.U32(size).U32(zip64 ? kNo32Bits : start).U16(0);
    Put(end.bytes().data(), end.bytes().size());
}

bool ZipWriter::Finish()
{
    EndEntry();
    WriteCentralDirectory();
    if (std::fflush(file_) != 0) Fail(std::strerror(errno));
    return failure_.empty();
}

}  // namespace kalderon
