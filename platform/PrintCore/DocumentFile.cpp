// Reading the document to print, whole, so that nothing is sent before it is known readable.
#include "PrintJob.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

PrintResult readDocument(const std::string& path, std::vector<char>& bytes) {
    bytes.clear();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return {kPMOpenFailed,
                "The document \"" + path + "\" cannot be opened: " + std::strerror(errno) + "."};
    char chunk[65536];
    size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + count);
    int error = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (error) {
        bytes.clear();
        return {kPMReadFailed,
                "The document \"" + path + "\" cannot be read: " + std::strerror(error) + "."};
    }
    return {noErr, {}};
}
