#include "charts/MetafileWriter.h"

#include <algorithm>

namespace kalderon {
namespace {

constexpr int kHeaderWords = 9;

}  // namespace

void MetafileWriter::AppendWord(std::string& out, int value)
{
    const auto word = static_cast<std::uint16_t>(std::clamp(value, -32768, 65535));
    out.push_back(static_cast<char>(word & 0xFF));
    out.push_back(static_cast<char>(word >> 8));
}

void MetafileWriter::AppendDword(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void MetafileWriter::Record(std::uint16_t function, std::initializer_list<int> words)
{
    std::string parameters;
    for (int w : words) AppendWord(parameters, std::clamp(w, -32768, 32767));
    Record(function, parameters);
}

void MetafileWriter::Record(std::uint16_t function, const std::string& parameters)
{
    const auto size = static_cast<std::uint32_t>(3 + parameters.size() / 2);
    largestRecord_ = std::max(largestRecord_, size);
    AppendDword(records_, size);
    AppendWord(records_, function);
    records_ += parameters;
}

int MetafileWriter::CreateObject(std::uint16_t function, const std::string& parameters)
{
    const auto free = std::find(slots_.begin(), slots_.end(), false);
    const int slot = static_cast<int>(free - slots_.begin());
    if (free == slots_.end()) {
        slots_.push_back(true);
    } else {
        *free = true;
    }
    Record(function, parameters);
    return slot;
}

void MetafileWriter::DeleteObject(int slot)
{
    if (slot < 0 || slot >= static_cast<int>(slots_.size()) || !slots_[slot]) return;
    slots_[slot] = false;
    Record(kDeleteObject, {slot});
}

std::string MetafileWriter::Bytes() const
{
    std::string end;
    AppendDword(end, 3);
    AppendWord(end, 0);

    std::string file;
    AppendWord(file, 1);  // a metafile in memory
    AppendWord(file, kHeaderWords);
    AppendWord(file, 0x0300);  // version 3.0
    AppendDword(file, static_cast<std::uint32_t>(kHeaderWords + (records_.size() + end.size()) / 2));
    AppendWord(file, static_cast<int>(slots_.size()));
    AppendDword(file, largestRecord_);
    AppendWord(file, 0);
    return file + records_ + end;
}

}  // namespace kalderon
