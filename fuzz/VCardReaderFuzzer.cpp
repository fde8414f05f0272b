// Feeds arbitrary bytes to the vCard reader: it must read or refuse them without crashing, and
// every contact it gives must have a place in the file.
#include <VCardReader.h>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const ContactFile file =
        readVCards(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), qsizetype(size)));
    for (const Contact& contact : file.contacts)
        if (contact.place.isEmpty()) std::abort();
    return 0;
}
