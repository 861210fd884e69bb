#include "import/FieldConversions.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kalderon {
namespace {

// The range of day numbers the date type holds: 1 January 100 to
// 31 December 9999.
constexpr double kFirstDayNumber = -657434.0;
constexpr double kLastDayNumberEnd = 2958466.0;

const char* TypeName(std::uint16_t type)
{
    switch (type) {
    case VT_EMPTY: return "VT_EMPTY";
    case VT_NULL: return "VT_NULL";
    case VT_I2: return "VT_I2";
    case VT_I4: return "VT_I4";
    case VT_R4: return "VT_R4";
    case VT_R8: return "VT_R8";
    case VT_CY: return "VT_CY";
    case VT_DATE: return "VT_DATE";
    case VT_BSTR: return "VT_BSTR";
    case VT_DISPATCH: return "VT_DISPATCH";
    case VT_ERROR: return "VT_ERROR";
    case VT_BOOL: return "VT_BOOL";
    case VT_VARIANT: return "VT_VARIANT";
    case VT_UNKNOWN: return "VT_UNKNOWN";
    case VT_DECIMAL: return "VT_DECIMAL";
    case VT_I1: return "VT_I1";
    case VT_UI1: return "VT_UI1";
    case VT_UI2: return "VT_UI2";
    case VT_UI4: return "VT_UI4";
    case VT_I8: return "VT_I8";
    case VT_UI8: return "VT_UI8";
    case VT_INT: return "VT_INT";
    case VT_UINT: return "VT_UINT";
    case VT_VOID: return "VT_VOID";
    case VT_HRESULT: return "VT_HRESULT";
    case VT_PTR: return "VT_PTR";
    case VT_SAFEARRAY: return "VT_SAFEARRAY";
    case VT_CARRAY: return "VT_CARRAY";
    case VT_USERDEFINED: return "VT_USERDEFINED";
    case VT_LPSTR: return "VT_LPSTR";
    case VT_LPWSTR: return "VT_LPWSTR";
    case VT_FILETIME: return "VT_FILETIME";
    case VT_BLOB: return "VT_BLOB";
    case VT_STREAM: return "VT_STREAM";
    case VT_STORAGE: return "VT_STORAGE";
    case VT_STREAMED_OBJECT: return "VT_STREAMED_OBJECT";
    case VT_STORED_OBJECT: return "VT_STORED_OBJECT";
    case VT_BLOB_OBJECT: return "VT_BLOB_OBJECT";
    case VT_CF: return "VT_CF";
    case VT_CLSID: return "VT_CLSID";
    default: return "";
    }
}

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    return std::string(buffer, n < 0 ? 0 : std::min(static_cast<size_t>(n), sizeof buffer - 1));
}

// As "%d" writes it.
std::string IntegerText(long long value)
{
    char buffer[24];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// As strftime's "%d.%m.%Y" writes it.
std::string DayMonthYearText(const DateValue& date)
{
    const CivilDate c = date.civil();
    if (c.year < 1000 || c.year > 9999) return date.format("%d.%m.%Y");
    const auto digit = [](int value) { return static_cast<char>('0' + value % 10); };
    return {digit(c.day / 10),   digit(c.day),        '.',
            digit(c.month / 10), digit(c.month),      '.',
            digit(c.year / 1000), digit(c.year / 100), digit(c.year / 10), digit(c.year)};
}

std::string CurrencyText(std::int64_t tenThousandths)
{
    const bool negative = tenThousandths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                             : static_cast<std::uint64_t>(tenThousandths);
    std::string text = Format("%s%llu", negative ? "-" : "", static_cast<unsigned long long>(magnitude / 10000));
    std::string fraction = Format("%04llu", static_cast<unsigned long long>(magnitude % 10000));
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) text += "." + fraction;
    return text;
}

// The whole 32-bit number a real truncates to, if it has one.
bool TruncateToInt32(double value, std::int32_t& result)
{
    if (!(value > -2147483649.0 && value < 2147483648.0)) return false;
    result = static_cast<std::int32_t>(value);
    return true;
}

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Reads 1..maxDigits decimal digits at the front of `text`.
bool TakeNumber(std::string_view& text, int maxDigits, int& value, int& digits)
{
    value = 0;
    digits = 0;
    while (!text.empty() && std::isdigit(static_cast<unsigned char>(text.front())) && digits < maxDigits) {
        value = value * 10 + (text.front() - '0');
        ++digits;
        text.remove_prefix(1);
    }
    return digits > 0 && (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front())));
}

bool TakeChar(std::string_view& text, char c)
{
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

int WidenTwoDigitYear(int year) { return year < 30 ? 2000 + year : 1900 + year; }

// "H:MM" or "H:MM:SS" as a fraction of a day.
bool TakeTimeOfDay(std::string_view text, double& fraction)
{
    int hours, minutes, seconds = 0, digits;
    if (!TakeNumber(text, 2, hours, digits) || !TakeChar(text, ':')) return false;
    if (!TakeNumber(text, 2, minutes, digits) || digits != 2) return false;
    if (TakeChar(text, ':') && (!TakeNumber(text, 2, seconds, digits) || digits != 2)) return false;
    if (!text.empty() || hours > 23 || minutes > 59 || seconds > 59) return false;
    fraction = (hours * 3600 + minutes * 60 + seconds) / 86400.0;
    return true;
}

}  // namespace

std::string VariantToText(const FieldValue& value)
{
    switch (value.type) {
    case VT_EMPTY:
    case VT_NULL: return std::string();
    case VT_I2: return IntegerText(static_cast<short>(value.integer));
    case VT_I4: return IntegerText(static_cast<int>(value.integer));
    case VT_R4: return Format("%g", value.real);
    case VT_R8: {
        std::int32_t whole;
        if (TruncateToInt32(value.real, whole) && whole == value.real) return IntegerText(whole);
        return Format("%e", value.real);
    }
    case VT_CY: return CurrencyText(value.integer);
    case VT_DATE: {
        DateValue date;
        return VariantToDate(value, date) ? DayMonthYearText(date) : std::string();
    }
    case VT_BSTR: return value.text;
    case VT_BOOL: return value.integer != 0 ? "TRUE" : "FALSE";
    case VT_UI1: return IntegerText(static_cast<int>(value.integer));
    default: break;
    }
    if (value.type & VT_ARRAY) return std::string("Array of ") + TypeName(value.type & ~VT_ARRAY);
    return TypeName(value.type);
}

bool VariantToInt(const FieldValue& value, std::int32_t& result)
{
    switch (value.type) {
    case VT_I2:
    case VT_I4:
    case VT_I1:
    case VT_UI1: result = static_cast<std::int32_t>(value.integer); return true;
    case VT_R4:
    case VT_R8: return TruncateToInt32(value.real, result);
    case VT_BSTR: {
        if (!IsIntegerText(value.text)) return false;
        const long long number = std::strtoll(value.text.c_str(), nullptr, 10);
        if (number < std::numeric_limits<std::int32_t>::min() || number > std::numeric_limits<std::int32_t>::max())
            return false;
        result = static_cast<std::int32_t>(number);
        return true;
    }
    default: return false;
    }
}

bool VariantToDouble(const FieldValue& value, double& result)
{
    switch (value.type) {
    case VT_I2:
    case VT_I4:
    case VT_UI1: result = static_cast<double>(value.integer); return true;
    case VT_R4:
    case VT_R8: result = value.real; return true;
    default: return false;
    }
}

bool VariantToDate(const FieldValue& value, DateValue& result)
{
    if (value.type == VT_DATE && value.real >= kFirstDayNumber && value.real < kLastDayNumberEnd) {
        result = DateValue::FromSerial(value.real);
        return true;
    }
    if (value.type == VT_BSTR) {
        result = ParseDateText(value.text);
        return result.isValid();
    }
    result = DateValue::Invalid();
    return false;
}

bool IsIntegerText(std::string_view text)
{
    text = Trimmed(text);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) continue;
        if (i == 0 && (c == '+' || c == '-')) continue;
        return false;
    }
    return true;
}

DateValue ParseDateText(std::string_view text)
{
    text = Trimmed(text);
    int first, second, third, firstDigits, secondDigits, yearDigits;
    if (!TakeNumber(text, 4, first, firstDigits) || text.empty()) return DateValue::Invalid();
    const char separator = text.front();
    if (separator != '.' && separator != '/' && separator != '-') return DateValue::Invalid();
    text.remove_prefix(1);
    if (!TakeNumber(text, 2, second, secondDigits) || !TakeChar(text, separator)) return DateValue::Invalid();
    if (!TakeNumber(text, 4, third, yearDigits)) return DateValue::Invalid();

    int year, month, day;
    if (separator == '-') {
        if (firstDigits != 4 || yearDigits > 2) return DateValue::Invalid();
        year = first, month = second, day = third;
    } else {
        if (firstDigits > 2 || (yearDigits != 2 && yearDigits != 4)) return DateValue::Invalid();
        year = yearDigits == 2 ? WidenTwoDigitYear(third) : third;
        month = separator == '.' ? second : first;
        day = separator == '.' ? first : second;
    }

    double fraction = 0.0;
    if (!text.empty()) {
        if (!IsBlank(text.front()) || !TakeTimeOfDay(Trimmed(text), fraction)) return DateValue::Invalid();
    }
    const DateValue date = DateValue::FromYmd(year, month, day);
    if (!date.isValid() || fraction == 0.0) return date;
    // Before day 0 the time of day counts away from zero, as the date type holds it.
    return DateValue::FromSerial(date.serial() < 0 ? date.serial() - fraction : date.serial() + fraction);
}

}  // namespace kalderon
