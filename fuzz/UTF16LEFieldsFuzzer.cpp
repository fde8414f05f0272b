// Feeds arbitrary bytes as a fixed-width UTF-16LE field (an exactly sized heap copy) to the
// field helpers: the length found must point at a zero unit inside the field, a string read
// from it must have that many units, and writing the string back into a zero-filled field of
// the same size must give the same units, terminated within the field.
#include <UTF16LEFields.h>

#include <CFRef.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    const auto fieldSize = UInt32(size);
    const std::unique_ptr<UInt8[]> field(new UInt8[size ? size : 1]);
    if (size) std::memcpy(field.get(), data, size);

    const SInt32 length = UniCharLength(field.get(), fieldSize);
    if (length >= 0) {
        check(2 * UInt32(length) + 1 < fieldSize);
        check(field[2 * length] == 0 && field[2 * length + 1] == 0);
    }

    const CFRef<CFStringRef> string(CreateCFStringFromUTF16LEString(field.get(), fieldSize));
    if (!string) return 0;
    check(length > 0 && CFStringGetLength(string.get()) == length);

    const std::unique_ptr<UInt8[]> copy(new UInt8[size]());
    check(CFStringGetUTF16LECString(string.get(), copy.get(), SInt32(fieldSize)));
    check(UniCharLength(copy.get(), fieldSize) == length);
    check(std::memcmp(copy.get(), field.get(), 2 * size_t(length)) == 0);

    // A field one unit too small for the text and its zero unit must be refused.
    const size_t smallSize = 2 * size_t(length);
    const std::unique_ptr<UInt8[]> small(new UInt8[smallSize]());
    check(!CFStringGetUTF16LECString(string.get(), small.get(), SInt32(smallSize)));
    return 0;
}
