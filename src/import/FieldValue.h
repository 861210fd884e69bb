#pragma once

#include <cstdint>
#include <string>

namespace kalderon {

// Type codes of a database field value, numbered as the platform's variant
// type codes so that values of any type can be named in texts.
enum VariantType : std::uint16_t {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_VOID = 24,
    VT_HRESULT = 25,
    VT_PTR = 26,
    VT_SAFEARRAY = 27,
    VT_CARRAY = 28,
    VT_USERDEFINED = 29,
    VT_LPSTR = 30,
    VT_LPWSTR = 31,
    VT_FILETIME = 64,
    VT_BLOB = 65,
    VT_STREAM = 66,
    VT_STORAGE = 67,
    VT_STREAMED_OBJECT = 68,
    VT_STORED_OBJECT = 69,
    VT_BLOB_OBJECT = 70,
    VT_CF = 71,
    VT_CLSID = 72,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
};

// One field value of a database row: a type code and the value of that type.
// Integers, booleans and currency (in units of 1/10000) are held in
// `integer`, reals and dates (day numbers since 30.12.1899) in `real`.
struct FieldValue {
    std::uint16_t type = VT_EMPTY;
    std::int64_t integer = 0;
    double real = 0.0;
    std::string text;

    static FieldValue Null() { return Of(VT_NULL); }
    static FieldValue Int16(std::int16_t v) { return Integer(VT_I2, v); }
    static FieldValue Int32(std::int32_t v) { return Integer(VT_I4, v); }
    static FieldValue UInt8(std::uint8_t v) { return Integer(VT_UI1, v); }
    static FieldValue Boolean(bool v) { return Integer(VT_BOOL, v ? -1 : 0); }
    static FieldValue Currency(std::int64_t tenThousandths) { return Integer(VT_CY, tenThousandths); }
    static FieldValue Float(float v) { return Real(VT_R4, v); }
    static FieldValue Double(double v) { return Real(VT_R8, v); }
    static FieldValue Date(double dayNumber) { return Real(VT_DATE, dayNumber); }
    static FieldValue Text(std::string v)
    {
        FieldValue f = Of(VT_BSTR);
        f.text = std::move(v);
        return f;
    }
    static FieldValue Of(std::uint16_t type)
    {
        FieldValue f;
        f.type = type;
        return f;
    }

    bool isNull() const { return type == VT_NULL; }

    bool operator==(const FieldValue&) const = default;

private:
    static FieldValue Integer(std::uint16_t type, std::int64_t v)
    {
        FieldValue f = Of(type);
        f.integer = v;
        return f;
    }
    static FieldValue Real(std::uint16_t type, double v)
    {
        FieldValue f = Of(type);
        f.real = v;
        return f;
    }
};

}  // namespace kalderon
