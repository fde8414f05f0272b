// A scratch address-book folder for the benchmarks that read one.
#pragma once

#include <ScopedEnvironment.h>

#include <QrolKit.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Writes the ASCII text into the UTF-16LE field, leaving its terminator.
inline void setSampleText(UInt8* field, size_t size, const std::string& text) {
    for (size_t i = 0; i < text.size() && 2 * i + 2 < size; ++i)
        field[2 * i] = UInt8(text[i]);
}

// An address-book folder of its own holding one file ("Office") of the given number of entries,
// the folder the address-book library looks in while the object lives.
class SampleBookFolder {
  public:
    explicit SampleBookFolder(int count) {
        std::string pattern = (std::filesystem::temp_directory_path() / "nv-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return;
        folder_ = pattern;
        environment_ = std::make_unique<ScopedEnvironment>("NV_ADDRESS_BOOK_DIR", pattern.c_str());
        const std::string file = (folder_ / "Office").string();
        CFStringRef path = CFStringCreateWithCString(nullptr, file.c_str(), kCFStringEncodingUTF8);
        std::vector<QrolMyFaxRecord> records(count);
        for (int i = 0; i < count; ++i) {
            setSampleText(records[i].name, sizeof records[i].name,
                          "Recipient " + std::to_string(i));
            setSampleText(records[i].faxNumber, sizeof records[i].faxNumber,
                          "+49 30 " + std::to_string(1000000 + i));
        }
        QROLDataRef data = QROLData_Create();
        made_ = QROLData_Add_MyFax(data, count, records.data()) == kQrolNoErr &&
                QrolGADFile_Add(path, data, 0) == kQrolNoErr;
        QROLData_Delete(data);
        CFRelease(path);
    }
    ~SampleBookFolder() {
        environment_.reset();
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }
    bool made() const { return made_; }

  private:
    std::filesystem::path folder_;
    std::unique_ptr<ScopedEnvironment> environment_;
    bool made_ = false;
};
