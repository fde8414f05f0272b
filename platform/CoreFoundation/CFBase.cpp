#include "CFInternal.h"

#include <cstdio>

const CFAllocatorRef kCFAllocatorDefault = nullptr;
const CFAllocatorRef kCFAllocatorSystemDefault = nullptr;
const CFAllocatorRef kCFAllocatorMalloc = nullptr;
const CFAllocatorRef kCFAllocatorNull = nullptr;

namespace cf {

std::u16string Object::describe() const {
    char text[64];
    std::snprintf(text, sizeof text, "<CFType %lu %p>", typeID, static_cast<const void*>(this));
    return fromUTF8(text);
}

void reportImmutableChange(CFTypeRef ref) {
    const std::string description = toUTF8(static_cast<const Object*>(ref)->describe());
    std::fprintf(stderr, "CoreFoundation: attempt to change the immutable object %.60s\n",
                 description.c_str());
}

} // namespace cf

using cf::Object;

static Object* object(CFTypeRef cf) {
    return const_cast<Object*>(static_cast<const Object*>(cf));
}

CFTypeRef CFRetain(CFTypeRef cf) {
    if (cf && !object(cf)->immortal)
        object(cf)->retainCount.fetch_add(1, std::memory_order_relaxed);
    return cf;
}

void CFRelease(CFTypeRef cf) {
    if (!cf || object(cf)->immortal) return;
    if (object(cf)->retainCount.fetch_sub(1, std::memory_order_acq_rel) == 1) delete object(cf);
}

CFTypeID CFGetTypeID(CFTypeRef cf) {
    return cf ? object(cf)->typeID : 0;
}

Boolean CFEqual(CFTypeRef cf1, CFTypeRef cf2) {
    if (!cf1 || !cf2) return false;
    if (cf1 == cf2) return true;
    return object(cf1)->typeID == object(cf2)->typeID && object(cf1)->equals(*object(cf2));
}

CFHashCode CFHash(CFTypeRef cf) {
    return cf ? object(cf)->hash() : 0;
}

CFStringRef CFCopyDescription(CFTypeRef cf) {
    return cf ? cf::makeString(object(cf)->describe()) : nullptr;
}
