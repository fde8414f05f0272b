#include "CFNumber.h"
#include "CFInternal.h"

#include <cmath>
#include <cstring>
#include <limits>

struct __CFBoolean : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDBoolean;
    explicit __CFBoolean(bool value) : Object(kTypeID), value(value) { immortal = true; }
    std::u16string describe() const override { return value ? u"true" : u"false"; }
    const bool value;
};

static __CFBoolean trueValue(true);
static __CFBoolean falseValue(false);
const CFBooleanRef kCFBooleanTrue = &trueValue;
const CFBooleanRef kCFBooleanFalse = &falseValue;

CFTypeID CFBooleanGetTypeID(void) {
    return cf::kTypeIDBoolean;
}

Boolean CFBooleanGetValue(CFBooleanRef boolean) {
    const __CFBoolean* value = cf::as<__CFBoolean>(boolean);
    return value && value->value;
}

namespace {

enum class Kind { Integer, Float, Invalid };

Kind kindOf(CFNumberType type) {
    switch (type) {
    case kCFNumberFloat32Type:
    case kCFNumberFloat64Type:
    case kCFNumberFloatType:
    case kCFNumberDoubleType:
    case kCFNumberCGFloatType:
        return Kind::Float;
    case kCFNumberSInt8Type:
    case kCFNumberSInt16Type:
    case kCFNumberSInt32Type:
    case kCFNumberSInt64Type:
    case kCFNumberCharType:
    case kCFNumberShortType:
    case kCFNumberIntType:
    case kCFNumberLongType:
    case kCFNumberLongLongType:
    case kCFNumberCFIndexType:
    case kCFNumberNSIntegerType:
        return Kind::Integer;
    default:
        return Kind::Invalid;
    }
}

CFIndex byteSize(CFNumberType type) {
    switch (type) {
    case kCFNumberSInt8Type:
    case kCFNumberCharType:
        return 1;
    case kCFNumberSInt16Type:
    case kCFNumberShortType:
        return 2;
    case kCFNumberSInt32Type:
    case kCFNumberIntType:
    case kCFNumberFloat32Type:
    case kCFNumberFloatType:
        return 4;
    default:
        return 8;
    }
}

template <class T> T readAs(const void* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

template <class T> bool storeInteger(long long value, void* p) {
    const T stored = static_cast<T>(value);
    std::memcpy(p, &stored, sizeof stored);
    return static_cast<long long>(stored) == value;
}

} // namespace

struct __CFNumber : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDNumber;
    explicit __CFNumber(CFNumberType type) : Object(kTypeID), type(type) {}

    bool isFloat() const { return kindOf(type) == Kind::Float; }
    bool equals(const Object& other) const override {
        return CFNumberCompare(this, static_cast<const __CFNumber*>(&other), nullptr) ==
               kCFCompareEqualTo;
    }
    CFHashCode hash() const override {
        return isFloat() ? std::hash<double>()(real) : CFHashCode(integer);
    }
    std::u16string describe() const override {
        return cf::fromUTF8(isFloat() ? std::to_string(real) : std::to_string(integer));
    }

    const CFNumberType type;
    long long integer = 0;
    double real = 0;
};

CFTypeID CFNumberGetTypeID(void) {
    return cf::kTypeIDNumber;
}

CFNumberRef CFNumberCreate(CFAllocatorRef, CFNumberType theType, const void* valuePtr) {
    if (!valuePtr || kindOf(theType) == Kind::Invalid) return nullptr;
    auto* number = new __CFNumber(theType);
    switch (byteSize(theType) * (number->isFloat() ? -1 : 1)) {
    case 1:
        number->integer = readAs<int8_t>(valuePtr);
        break;
    case 2:
        number->integer = readAs<int16_t>(valuePtr);
        break;
    case 4:
        number->integer = readAs<int32_t>(valuePtr);
        break;
    case 8:
        number->integer = readAs<int64_t>(valuePtr);
        break;
    case -4:
        number->real = readAs<float>(valuePtr);
        break;
    default:
        number->real = readAs<double>(valuePtr);
        break;
    }
    return number;
}

Boolean CFNumberIsFloatType(CFNumberRef number) {
    const __CFNumber* n = cf::as<__CFNumber>(number);
    return n && n->isFloat();
}

Boolean CFNumberGetValue(CFNumberRef number, CFNumberType theType, void* valuePtr) {
    const __CFNumber* n = cf::as<__CFNumber>(number);
    if (!n || !valuePtr || kindOf(theType) == Kind::Invalid) return false;
    if (kindOf(theType) == Kind::Float) {
        const double value = n->isFloat() ? n->real : double(n->integer);
        if (byteSize(theType) == 4) {
            const float stored = float(value);
            std::memcpy(valuePtr, &stored, sizeof stored);
            return double(stored) == value || std::isnan(value);
        }
        std::memcpy(valuePtr, &value, sizeof value);
        return n->isFloat() || (long long)value == n->integer;
    }
    long long value = n->integer;
    bool exact = true;
    if (n->isFloat()) {
        const double real = n->real;
        exact = std::isfinite(real) && real >= -9.2e18 && real <= 9.2e18;
        value = exact ? (long long)real : 0;
        exact = exact && double(value) == real;
    }
    switch (byteSize(theType)) {
    case 1:
        return storeInteger<int8_t>(value, valuePtr) && exact;
    case 2:
        return storeInteger<int16_t>(value, valuePtr) && exact;
    case 4:
        return storeInteger<int32_t>(value, valuePtr) && exact;
    default:
        return storeInteger<int64_t>(value, valuePtr) && exact;
    }
}

CFComparisonResult CFNumberCompare(CFNumberRef number, CFNumberRef otherNumber, void*) {
    const __CFNumber* a = cf::as<__CFNumber>(number);
    const __CFNumber* b = cf::as<__CFNumber>(otherNumber);
    if (!a || !b) return a ? kCFCompareGreaterThan : b ? kCFCompareLessThan : kCFCompareEqualTo;
    if (!a->isFloat() && !b->isFloat())
        return a->integer < b->integer   ? kCFCompareLessThan
               : a->integer > b->integer ? kCFCompareGreaterThan
                                         : kCFCompareEqualTo;
    const double x = a->isFloat() ? a->real : double(a->integer);
    const double y = b->isFloat() ? b->real : double(b->integer);
    return x < y ? kCFCompareLessThan : x > y ? kCFCompareGreaterThan : kCFCompareEqualTo;
}
