// Feeds arbitrary bytes to the CSV contact reader: it must read or refuse them without
// crashing, and a refused file gives no contacts.
#include <CsvContacts.h>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const ContactFile file = readCsvContacts(
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), qsizetype(size)));
    if (!file.refusal.isEmpty() && !file.contacts.isEmpty()) std::abort();
    return 0;
}
