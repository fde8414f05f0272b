// A plug-in for the factory tests: its factory makes a small counted object of the test type.
#include <CoreFoundation.h>

namespace {

CFUUIDRef factoryID() {
    return CFUUIDGetConstantUUIDWithBytes(nullptr, 0x0F, 0x6A, 0x1C, 0x2E, 0x7B, 0x3D, 0x4E, 0x5F,
                                          0x8A, 0x9B, 0x1C, 0x2D, 0x3E, 0x4F, 0x5A, 0x6B);
}

CFUUIDRef typeID() {
    return CFUUIDGetConstantUUIDWithBytes(nullptr, 0x5D, 0x1E, 0x2F, 0x30, 0x4A, 0x5B, 0x4C, 0x6D,
                                          0x9E, 0x8F, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F);
}

} // namespace

struct TestInstance {
    int magic;
};

extern "C" void* TestPlugInFactory(CFAllocatorRef, CFUUIDRef requestedType) {
    if (!CFEqual(requestedType, typeID())) return nullptr;
    CFPlugInAddInstanceForFactory(factoryID());
    return new TestInstance{0x5eed};
}

extern "C" void TestPlugInRelease(void* instance) {
    delete static_cast<TestInstance*>(instance);
    CFPlugInRemoveInstanceForFactory(factoryID());
}
