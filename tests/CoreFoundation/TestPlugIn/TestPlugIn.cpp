// The test bundle's code: a factory that makes nothing, for the failure paths of making instances.
#include <CoreFoundation.h>

extern "C" void* TestPlugInFactory(CFAllocatorRef, CFUUIDRef) {
    return nullptr;
}
