// Handles: a block that holds the master pointer in front of the size, so that a Handle (the
// master pointer's address) leads back to its block.
#include "MacMemory.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

struct HandleBlock {
    Ptr master;
    Size size;
};

HandleBlock* blockOf(Handle handle) {
    return reinterpret_cast<HandleBlock*>(handle);
}

} // namespace

Handle NewHandle(Size byteCount) {
    if (byteCount < 0) return nullptr;
    auto* block = static_cast<HandleBlock*>(std::malloc(sizeof(HandleBlock)));
    if (!block) return nullptr;
    block->master = static_cast<Ptr>(std::calloc(size_t(byteCount) + 1, 1));
    if (!block->master) {
        std::free(block);
        return nullptr;
    }
    block->size = byteCount;
    return &block->master;
}

Size GetHandleSize(Handle handle) {
    return handle ? blockOf(handle)->size : 0;
}

void SetHandleSize(Handle handle, Size newSize) {
    if (!handle || newSize < 0) return;
    HandleBlock* block = blockOf(handle);
    auto* bytes = static_cast<Ptr>(std::realloc(block->master, size_t(newSize) + 1));
    if (!bytes) return;
    if (newSize > block->size) std::memset(bytes + block->size, 0, size_t(newSize - block->size));
    block->master = bytes;
    block->size = newSize;
}

void HLock(Handle) {}

void HUnlock(Handle) {}

void DisposeHandle(Handle handle) {
    if (!handle) return;
    std::free(blockOf(handle)->master);
    std::free(blockOf(handle));
}
