#include "import/ReaderFault.h"

#include "common/TextFormat.h"
#include "resources/StringTable.h"
#include "resources/Texts.h"

namespace kalderon {

ReaderFault ReaderFault::Engine(std::int32_t errorNumber, std::string description)
{
    // Severity error, facility 10, the number in the low word.
    const auto status = static_cast<std::int32_t>(0x800A0000u | (static_cast<std::uint32_t>(errorNumber) & 0xFFFFu));
    return ReaderFault{status, std::move(description), errorNumber, {}};
}

ReaderFault ReaderFault::Status(std::int32_t statusCode) { return ReaderFault{statusCode, {}, 0, {}}; }

ReaderFault ReaderFault::Described(std::string description)
{
    return ReaderFault{kUnspecifiedFailureStatus, std::move(description), 0, {}};
}

namespace {

std::string MessageWithoutFile(const ReaderFault& fault)
{
    if (fault.errorNumber != 0) return FormatText(text::kDaoErrorWithInfo, fault.description, fault.errorNumber);
    if (!fault.description.empty()) return fault.description;
    const auto code = static_cast<std::uint32_t>(fault.statusCode);
    return FormatText(text::kDaoErrorStatusOnly, static_cast<int>(code & 0xFFFF), static_cast<int>((code >> 16) & 0x1FFF),
                      fault.statusCode < 0 ? 1 : 0, fault.statusCode);
}

}  // namespace

std::string ReaderFaultMessage(const ReaderFault& fault)
{
    std::string message = MessageWithoutFile(fault);
    if (fault.file.empty() || fault.description.find(fault.file) != std::string::npos) return message;
    return FormatText(text::kFaultInFile, fault.file, message);
}

ReaderFault InFile(ReaderFault fault, const std::string& path)
{
    if (fault.file.empty()) fault.file = path;
    return fault;
}

}  // namespace kalderon
