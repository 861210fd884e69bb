#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "import/ReaderFault.h"

struct zip;
struct zip_file;

namespace kalderon {

// What a member of a zip archive may claim before it is inflated: at most
// 1 GiB, and (above 1 MiB) at most 1000 times its compressed size.
inline constexpr std::uint64_t kLargestZipMember = std::uint64_t{1} << 30;
inline constexpr std::uint64_t kLargestZipExpansion = 1000;

// One member of an open archive, read forward.  Reading more bytes than
// the member declares is a fault.  A deflated member is inflated here
// (faster than the archive library does) and checked against its CRC.
class ZipMember {
public:
    // `deflatedCrc`: `file` gives the member as stored, deflated, and this
    // is the CRC of its content.
    ZipMember(zip_file* file, std::string name, std::uint64_t size, std::optional<std::uint32_t> deflatedCrc = {});
    ~ZipMember();
    ZipMember(const ZipMember&) = delete;
    ZipMember& operator=(const ZipMember&) = delete;

    // Up to `capacity` bytes; 0 at the end of the member.
    ReadResult<std::size_t> Read(char* buffer, std::size_t capacity);
    const std::string& name() const { return name_; }
    std::uint64_t size() const { return size_; }
    std::uint64_t bytesRead() const { return read_; }

private:
    struct Inflater;
    ReadResult<std::size_t> Inflate(char* buffer, std::size_t capacity);
    ReadResult<std::size_t> ReadAsLibraryGives(char* buffer, std::size_t capacity);
    ReaderFault Unreadable(const std::string& why) const;

    zip_file* file_;
    std::unique_ptr<Inflater> inflater_;
    std::string name_;
    std::uint64_t size_;
    std::uint64_t read_ = 0;
};

// A zip archive (the container of .xlsx and .ods workbooks), opened for
// reading.  Faults name the member and what is wrong with it.
class ZipArchive {
public:
    // Not a zip archive: a fault.
    static ReadResult<std::unique_ptr<ZipArchive>> Open(const std::string& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool Has(const std::string& member) const;
    // A missing member, or one that claims more than the bounds allow, is a fault.
    ReadResult<std::unique_ptr<ZipMember>> OpenMember(const std::string& member) const;

private:
    explicit ZipArchive(zip* archive) : archive_(archive) {}
    zip* archive_;
};

}  // namespace kalderon
