#include "ConstraintTable.h"

UInt32 nvHash::hash(std::string_view key) {
    UInt32 h = 0;
    for (const char byte : key) {
        if (byte == '\0') break;
        h = 5 * h + static_cast<UInt32>(static_cast<SInt8>(byte));
    }
    return h;
}
