// Feeds arbitrary bytes to the XML property-list reader behind the preferences: it must refuse
// them or give a value that serialises again as XML, and that XML must read back.
#include <CFData.h>
#include <CFPropertyList.h>
#include <CFRef.h>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFRef<CFDataRef> bytes(CFDataCreate(nullptr, data, CFIndex(size)));
    CFRef<CFPropertyListRef> value(
        CFPropertyListCreateWithData(nullptr, bytes.get(), 0, nullptr, nullptr));
    if (!value) return 0;
    CFRef<CFDataRef> xml(
        CFPropertyListCreateData(nullptr, value.get(), kCFPropertyListXMLFormat_v1_0, 0, nullptr));
    check(xml.get() != nullptr);
    CFRef<CFPropertyListRef> again(
        CFPropertyListCreateWithData(nullptr, xml.get(), 0, nullptr, nullptr));
    check(again.get() != nullptr);
    return 0;
}
