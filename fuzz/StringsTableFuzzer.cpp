// Feeds arbitrary bytes to the reader of a bundle's ".strings" tables: it must refuse them or
// give a dictionary whose keys and values are all strings.
#include <CFRef.h>
#include <CFString.h>
#include <StringsTable.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFRef<CFDictionaryRef> table(cf::createStringsTable(
        std::string(reinterpret_cast<const char*>(data), size), "fuzz.strings"));
    if (!table) return 0;
    check(CFGetTypeID(table.get()) == CFDictionaryGetTypeID());
    const CFIndex count = CFDictionaryGetCount(table.get());
    std::vector<const void*> keys(static_cast<size_t>(count));
    std::vector<const void*> values(keys.size());
    CFDictionaryGetKeysAndValues(table.get(), keys.data(), values.data());
    for (CFIndex index = 0; index < count; ++index) {
        check(CFGetTypeID(keys[size_t(index)]) == CFStringGetTypeID());
        check(CFGetTypeID(values[size_t(index)]) == CFStringGetTypeID());
    }
    return 0;
}
