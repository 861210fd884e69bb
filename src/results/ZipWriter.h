#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kalderon {

// A zip archive written entry by entry to an open, seekable file: each
// entry's bytes are deflated as they come (at a fast level) and its sizes
// and checksum set in its header when it ends.  An entry holds less than
// 4 GiB; the archive may be larger.  The first failure is kept.
class ZipWriter {
public:
    explicit ZipWriter(std::FILE* file);
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;
    ~ZipWriter();

    void BeginEntry(const std::string& name);
    void Write(std::string_view bytes);
    void EndEntry();
    // Writes the central directory; false when this or anything before failed.
    bool Finish();

    // Why the archive could not be written ("" while nothing failed).
    const std::string& failure() const { return failure_; }

private:
    struct Entry {
        std::string name;
        std::uint64_t offset = 0;
        std::uint32_t crc = 0;
        std::uint64_t deflatedSize = 0;
        std::uint64_t size = 0;
    };
    struct Deflater;

    void Deflate(std::string_view bytes, bool last);
    void Put(const void* bytes, std::size_t count);
    void Fail(const std::string& why);
    void WriteCentralDirectory();

    std::FILE* file_;
    std::unique_ptr<Deflater> deflater_;
    std::vector<Entry> entries_;
    bool inEntry_ = false;
    std::uint64_t position_ = 0;
    std::uint16_t dosTime_ = 0;
    std::uint16_t dosDate_ = 0;
    std::string failure_;
};

}  // namespace kalderon
