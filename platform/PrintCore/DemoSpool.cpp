// The demo printer's spool folder: each job is a copy of the document plus a readable record
// of its options. Both are written under temporary names and renamed into place, the record
// last, so that a job whose record exists is complete and a failed job leaves nothing.
#include "PrintJob.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

fs::path spoolDirectory() {
    if (const char* configured = std::getenv("NV_DEMO_SPOOL"); configured && *configured)
        return configured;
    fs::path state;
    if (const char* xdgState = std::getenv("XDG_STATE_HOME"); xdgState && *xdgState)
        state = xdgState;
    else if (const char* home = std::getenv("HOME"); home && *home)
        state = fs::path(home) / ".local" / "state";
    else
        state = fs::temp_directory_path();
    return state / "NVSendraFax" / "DemoFaxSpool";
}

// A job name not yet used in the folder: job-<date>-<time>-<process>-<sequence>.
std::string newJobName(const fs::path& directory) {
    static unsigned sequence = 0;
    char stamp[32];
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    for (;;) {
        std::string name = "job-" + std::string(stamp) + "-" + std::to_string(getpid()) + "-" +
                           std::to_string(++sequence);
        std::error_code error;
        if (!fs::exists(directory / (name + ".options"), error)) return name;
    }
}

// One line per value: backslashes, line feeds and carriage returns are escaped.
std::string escapedValue(const std::string& value) {
    std::string escaped;
    for (char c : value) {
        if (c == '\\')
            escaped += "\\\\";
        else if (c == '\n')
            escaped += "\\n";
        else if (c == '\r')
            escaped += "\\r";
        else
            escaped += c;
    }
    return escaped;
}

std::string optionRecord(const PrintJob& job) {
    std::string record = "# printer=" + escapedValue(job.printerID) +
                         "\n# title=" + escapedValue(job.title) +
                         "\n# document=" + escapedValue(job.documentPath) + "\n";
    for (const auto& [name, value] : job.options)
        record += name + "=" + escapedValue(value) + "\n";
    return record;
}

// Writes the bytes to a new file; false with errno set when any step fails.
bool writeFile(const fs::path& path, const char* bytes, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wbx");
    if (!file) return false;
    bool written = std::fwrite(bytes, 1, size, file) == size && std::fflush(file) == 0 &&
                   fsync(fileno(file)) == 0;
    int error = errno;
    bool closed = std::fclose(file) == 0;
    if (!written) errno = error;
    return written && closed;
}

} // namespace

PrintResult spoolDemoJob(const PrintJob& job) {
    fs::path directory = spoolDirectory();
    std::error_code error;
    fs::create_directories(directory, error);
    if (error)
        return {kPMWriteFailed, "The demo spool folder \"" + directory.string() +
                                    "\" cannot be made: " + error.message() + "."};
    std::string name = newJobName(directory);
    fs::path document = directory / (name + fs::path(job.documentPath).extension().string());
    fs::path record = directory / (name + ".options");
    fs::path documentPart = directory / ("." + name + ".document.part");
    fs::path recordPart = directory / ("." + name + ".options.part");
    std::string options = optionRecord(job);

    bool spooled = writeFile(documentPart, job.document.data(), job.document.size()) &&
                   writeFile(recordPart, options.data(), options.size()) &&
                   std::rename(documentPart.c_str(), document.c_str()) == 0 &&
                   std::rename(recordPart.c_str(), record.c_str()) == 0;
    if (!spooled) {
        std::string reason = std::strerror(errno);
        for (const fs::path& path : {documentPart, recordPart, document, record})
            fs::remove(path, error);
        return {kPMWriteFailed, "The job cannot be written into the demo spool folder \"" +
                                    directory.string() + "\": " + reason +
                                    ". The document was not printed; it is unchanged at \"" +
                                    job.documentPath + "\"."};
    }
    return {noErr, "Spooled to \"" + job.printerName + "\" as \"" + record.string() + "\"."};
}
