// Reading a 10,000-entry address-book file into a data set and fetching every record.
#include <QrolKit.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kEntries = 10000;

void setText(UInt8* field, size_t size, const std::string& text) {
    for (size_t i = 0; i < text.size() && 2 * i + 2 < size; ++i)
        field[2 * i] = UInt8(text[i]);
}

// A fresh file of kEntries entries in a folder of its own, removed with the object.
struct SampleBook {
    std::filesystem::path folder;
    CFStringRef path = nullptr;
    bool made = false;

    SampleBook() {
        std::string pattern = (std::filesystem::temp_directory_path() / "nv-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return;
        folder = pattern;
        const std::string file = (folder / "Benchmark").string();
        path = CFStringCreateWithCString(nullptr, file.c_str(), kCFStringEncodingUTF8);
        std::vector<QrolMyFaxRecord> entries(kEntries);
        for (int i = 0; i < kEntries; ++i) {
            setText(entries[i].name, sizeof entries[i].name, "Recipient " + std::to_string(i));
            setText(entries[i].faxNumber, sizeof entries[i].faxNumber,
                    "+49 30 " + std::to_string(1000000 + i));
            setText(entries[i].company, sizeof entries[i].company, "Company of some length");
            setText(entries[i].memo, sizeof entries[i].memo, "A memo about this recipient");
            entries[i].creationTime = 1700000000 + i;
        }
        QROLDataRef data = QROLData_Create();
        made = QROLData_Add_MyFax(data, kEntries, entries.data()) == kQrolNoErr &&
               QrolGADFile_Add(path, data, 0) == kQrolNoErr;
        QROLData_Delete(data);
    }
    ~SampleBook() {
        if (path) CFRelease(path);
        std::error_code ignored;
        if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
    }
};

void BM_ReadAddressBookFile(benchmark::State& state) {
    SampleBook book;
    if (!book.made) {
        state.SkipWithError("the sample address book could not be made");
        return;
    }
    QrolMyFaxRecord record;
    for (auto _ : state) {
        QROLDataRef data = QROLData_Create();
        if (QrolGADFile_Read(book.path, data, 0) != kQrolNoErr ||
            QROLData_GetCount_MyFax(data) != kEntries) {
            state.SkipWithError("the sample address book could not be read");
            break;
        }
        for (UInt16 i = 0; i < QROLData_GetCount_MyFax(data); ++i)
            benchmark::DoNotOptimize(QROLData_GetAt_MyFax(data, i, &record));
        QROLData_Delete(data);
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_ReadAddressBookFile)->Unit(benchmark::kMillisecond);

} // namespace
