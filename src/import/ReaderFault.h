#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace kalderon {

// Why a reader could not give its value: a status code and, when known, a
// description and an error number.  Errors of the database engine carry all
// three; a fault whose description is its whole message (a file that cannot
// be opened, a table whose values cannot be used) carries no number.  The
// entry points that open a file by its path add the file to the fault.
struct ReaderFault {
    std::int32_t statusCode = 0;
    std::string description;       // empty when not known
    std::int32_t errorNumber = 0;  // 0 when not known
    std::string file;              // the file the fault concerns; empty when not known

    // An engine error: the status code follows from the number.
    static ReaderFault Engine(std::int32_t errorNumber, std::string description);
    // Only a status code.
    static ReaderFault Status(std::int32_t statusCode);
    // A description that says everything, with the status of an unspecified failure.
    static ReaderFault Described(std::string description);

    bool operator==(const ReaderFault&) const = default;
};

// Status codes of faults that are no engine error.
inline constexpr std::int32_t kOutOfMemoryStatus = static_cast<std::int32_t>(0x8007000Eu);
inline constexpr std::int32_t kUnspecifiedFailureStatus = static_cast<std::int32_t>(0x80004005u);

// The message of a fault as the program shows it: the description and the
// number, or the description alone, or the parts of the status code when
// nothing else is known; after the file it concerns, unless the
// description names that file already.
std::string ReaderFaultMessage(const ReaderFault& fault);

// The fault as concerning `path`, unless it names a file already.
ReaderFault InFile(ReaderFault fault, const std::string& path);

// The value a reader gives, or its fault.  value(), * and -> on a fault
// raise std::bad_variant_access: look at ok() first.
template <typename T>
class [[nodiscard]] ReadResult {
public:
    template <typename U = T>
        requires(std::is_constructible_v<T, U &&> && !std::is_same_v<std::remove_cvref_t<U>, ReaderFault> &&
                 !std::is_same_v<std::remove_cvref_t<U>, ReadResult>)
    ReadResult(U&& value) : content_(std::in_place_index<0>, std::forward<U>(value))
    {
    }
    ReadResult(ReaderFault fault) : content_(std::in_place_index<1>, std::move(fault)) {}

    bool ok() const { return content_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(content_); }
    const T& value() const& { return std::get<0>(content_); }
    T&& value() && { return std::get<0>(std::move(content_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const ReaderFault& fault() const { return std::get<1>(content_); }

private:
    std::variant<T, ReaderFault> content_;
};

// A read that gives no value: nothing, or its fault.
template <>
class [[nodiscard]] ReadResult<void> {
public:
    ReadResult() = default;
    ReadResult(ReaderFault fault) : fault_(std::move(fault)) {}

    bool ok() const { return !fault_; }
    explicit operator bool() const { return ok(); }
    const ReaderFault& fault() const { return fault_.value(); }

private:
    std::optional<ReaderFault> fault_;
};

// The result with its fault, if any, concerning `path`.
template <typename T>
ReadResult<T> InFile(ReadResult<T> result, const std::string& path)
{
    if (result) return result;
    return InFile(result.fault(), path);
}

}  // namespace kalderon
