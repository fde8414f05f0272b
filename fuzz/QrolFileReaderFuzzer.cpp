// Feeds arbitrary bytes to the address-book file reader as a file, then fetches every record:
// the reader must refuse or read them without crashing, and every record it reports must keep
// its text fields terminated and its member count within its room.
#include <QrolKit.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool terminated(const UInt8* field, size_t size) {
    for (size_t offset = 0; offset + 1 < size; offset += 2)
        if (field[offset] == 0 && field[offset + 1] == 0) return true;
    return false;
}

void check(bool condition) {
    if (!condition) std::abort();
}

// The file each input is written to; it goes when the fuzzer exits.
struct ScratchFile {
    std::string path;
    ScratchFile() {
        const char* folder = std::getenv("TMPDIR");
        path = std::string(folder && *folder ? folder : "/tmp") + "/nv-fuzz-XXXXXX";
        const int descriptor = mkstemp(path.data());
        if (descriptor < 0) std::abort();
        close(descriptor);
    }
    ~ScratchFile() {
        unlink(path.c_str());
        unlink((path + "-journal").c_str());
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    static const ScratchFile scratch;
    static const std::string& path = scratch.path;
    static CFStringRef pathString =
        CFStringCreateWithCString(nullptr, path.c_str(), kCFStringEncodingUTF8);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(bytes, 1, size, file);
    std::fclose(file);
    unlink((path + "-journal").c_str());

    QROLDataRef data = QROLData_Create();
    if (QrolGADFile_Read(pathString, data, 0) == kQrolNoErr) {
        QrolMyFaxRecord entry;
        for (UInt16 i = 0; i < QROLData_GetCount_MyFax(data); ++i) {
            check(QROLData_GetAt_MyFax(data, i, &entry) == kQrolNoErr);
            check(terminated(entry.name, sizeof entry.name) &&
                  terminated(entry.faxNumber, sizeof entry.faxNumber) &&
                  terminated(entry.company, sizeof entry.company) &&
                  terminated(entry.memo, sizeof entry.memo));
        }
        QrolMyFaxGroupRecord group;
        for (UInt16 i = 0; i < QROLData_GetCount_MyFaxGroup(data); ++i) {
            check(QROLData_GetAt_MyFaxGroup(data, i, &group) == kQrolNoErr);
            check(terminated(group.name, sizeof group.name) &&
                  group.memberCount <= kQrolMyFaxGroupMemberRoom);
        }
    }
    QROLData_Delete(data);
    return 0;
}
