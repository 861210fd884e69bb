#include "import/CompoundFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "import/DatabaseEngine.h"
#include "import/LittleEndian.h"

namespace kalderon {
namespace {

constexpr unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;
constexpr size_t kDirectoryEntrySize = 128;
constexpr int kHeaderDifatEntries = 109;


class CompoundFile {
public:
    explicit CompoundFile(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

    std::optional<std::vector<unsigned char>> Stream(const std::string& name)
    {
        if (bytes_.size() < 512 || std::memcmp(bytes_.data(), kSignature, sizeof kSignature) != 0) return std::nullopt;
        const unsigned sectorShift = Le16(&bytes_[0x1E]);
        const unsigned miniShift = Le16(&bytes_[0x20]);
        if (sectorShift < 7 || sectorShift > 16 || miniShift > sectorShift) return std::nullopt;
        sectorSize_ = size_t(1) << sectorShift;
        miniSectorSize_ = size_t(1) << miniShift;
        if (!ReadFat()) return std::nullopt;

        const auto directory = Chain(Le32(&bytes_[0x30]), fat_, sectorSize_, nullptr);
        if (!directory || directory->size() < kDirectoryEntrySize) return std::nullopt;
        if (!NamesFitTheirEntries(*directory)) return std::nullopt;
        const unsigned char* root = directory->data();
        for (size_t at = 0; at + kDirectoryEntrySize <= directory->size(); at += kDirectoryEntrySize) {
            const unsigned char* entry = directory->data() + at;
            if (entry[0x42] != 2 || EntryName(entry) != Lower(name)) continue;
            const std::uint32_t start = Le32(entry + 0x74);
            const std::uint32_t size = Le32(entry + 0x78);
            std::optional<std::vector<unsigned char>> data;
            if (size < Le32(&bytes_[0x38])) {
                const auto miniStream = Chain(Le32(root + 0x74), fat_, sectorSize_, nullptr);
                const auto miniFat = Chain(Le32(&bytes_[0x3C]), fat_, sectorSize_, nullptr);
                if (!miniStream || !miniFat) return std::nullopt;
                std::vector<std::uint32_t> miniTable;
                for (size_t i = 0; i + 4 <= miniFat->size(); i += 4) miniTable.push_back(Le32(miniFat->data() + i));
                data = Chain(start, miniTable, miniSectorSize_, &*miniStream);
            } else {
                data = Chain(start, fat_, sectorSize_, nullptr);
            }
            if (!data || data->size() < size) return std::nullopt;
            data->resize(size);
            return data;
        }
        return std::nullopt;
    }

private:
    static std::string Lower(std::string s)
    {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }

    // A name longer than its 64-byte field makes readers that trust the
    // length read past the entry.
    static bool NamesFitTheirEntries(const std::vector<unsigned char>& directory)
    {
        for (size_t at = 0; at + kDirectoryEntrySize <= directory.size(); at += kDirectoryEntrySize) {
            const unsigned bytes = Le16(directory.data() + at + 0x40);
            if (bytes > 64 || bytes % 2 != 0) return false;
        }
        return true;
    }

    static std::string EntryName(const unsigned char* entry)
    {
        const unsigned bytes = Le16(entry + 0x40);
        std::string name;
        for (unsigned i = 0; i + 2 < bytes && i < 64; i += 2) {
            const std::uint16_t unit = Le16(entry + i);
            name += unit < 0x80 ? static_cast<char>(std::tolower(unit)) : '?';
        }
        return name;
    }

    const unsigned char* Sector(std::uint32_t index) const
    {
        const size_t offset = (size_t(index) + 1) * sectorSize_;
        return offset + sectorSize_ <= bytes_.size() ? bytes_.data() + offset : nullptr;
    }

    size_t SectorsInFile() const { return bytes_.size() / sectorSize_ > 0 ? bytes_.size() / sectorSize_ - 1 : 0; }

    bool ReadFat()
    {
        std::vector<std::uint32_t> fatSectors;
        for (int i = 0; i < kHeaderDifatEntries; ++i) fatSectors.push_back(Le32(&bytes_[0x4C + 4 * i]));
        std::uint32_t difat = Le32(&bytes_[0x44]);
        for (size_t guard = 0; difat <= kMaxRegularSector && guard < bytes_.size() / sectorSize_; ++guard) {
            const unsigned char* s = Sector(difat);
            if (!s) return false;
            for (size_t i = 0; i + 4 < sectorSize_; i += 4) fatSectors.push_back(Le32(s + i));
            difat = Le32(s + sectorSize_ - 4);
        }
        // Entries past the last sector of the file can never be followed, so
        // a table that repeats its sectors is not read beyond that.
        for (std::uint32_t index : fatSectors) {
            if (fat_.size() >= SectorsInFile()) break;
            if (index > kMaxRegularSector) continue;
            const unsigned char* s = Sector(index);
            if (!s) return false;
            for (size_t i = 0; i < sectorSize_; i += 4) fat_.push_back(Le32(s + i));
        }
        return !fat_.empty();
    }

    // Follows a sector chain through `table`; sectors are file sectors, or
    // mini sectors of `container` when it is given.  A chain longer than
    // the sectors there are runs in a circle.
    std::optional<std::vector<unsigned char>> Chain(std::uint32_t start, const std::vector<std::uint32_t>& table,
                                                    size_t unit, const std::vector<unsigned char>* container) const
    {
        const size_t longest = std::min(table.size(), container ? container->size() / unit : SectorsInFile());
        std::vector<unsigned char> out;
        std::uint32_t sector = start;
        for (size_t steps = 0; sector != kEndOfChain; ++steps) {
            if (sector >= table.size() || steps >= longest) return std::nullopt;
            const unsigned char* data;
            if (container) {
                const size_t offset = size_t(sector) * unit;
                if (offset + unit > container->size()) return std::nullopt;
                data = container->data() + offset;
            } else {
                data = Sector(sector);
                if (!data) return std::nullopt;
            }
            out.insert(out.end(), data, data + unit);
            sector = table[sector];
        }
        return out;
    }

    std::vector<unsigned char> bytes_;
    size_t sectorSize_ = 512;
    size_t miniSectorSize_ = 64;
    std::vector<std::uint32_t> fat_;
};

}  // namespace

ReadResult<std::vector<unsigned char>> ReadCompoundStream(const std::string& path, const std::string& streamName)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return NotExpectedFormat();
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::optional<std::vector<unsigned char>> stream = CompoundFile(std::move(bytes)).Stream(streamName);
    if (!stream) return NotExpectedFormat();
    return std::move(*stream);
}

}  // namespace kalderon
