#include "CFURL.h"
#include "CFInternal.h"
#include "Files.h"
#include "StringEncodings.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The parts of an absolute URL, kept as written (ASCII, percent escapes intact).
struct Parts {
    std::string scheme;
    std::optional<std::string> authority;
    std::string path;
    std::optional<std::string> query;
    std::optional<std::string> fragment;

    std::string text() const {
        std::string out = scheme.empty() ? "" : scheme + ":";
        if (authority) out += "//" + *authority;
        out += path;
        if (query) out += "?" + *query;
        if (fragment) out += "#" + *fragment;
        return out;
    }
};

bool isHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c));
}

// Characters a URL may hold as they are; everything else must be percent-escaped. A NUL is
// tested apart: strchr would find it as the terminator of the list.
bool isURLCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) ||
           (c != '\0' && std::strchr("-._~:/?#[]@!$&'()*+,;=%", c));
}

bool isValidURLText(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80 || !isURLCharacter(char(c))) return false;
        if (c == '%' && (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2])))
            return false;
    }
    return true;
}

std::optional<std::string> removePercentEscapes(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2])) return std::nullopt;
        out.push_back(char(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)));
        i += 2;
    }
    return out;
}

std::string addPercentEscapes(std::string_view bytes, const char* keep) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && (std::isalnum(byte) || std::strchr(keep, c))) {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(hex[byte >> 4]);
            out.push_back(hex[byte & 0xF]);
        }
    }
    return out;
}

const char* const kPathCharacters = "-._~!$&'()*+,;=:@/";

Parts parse(std::string_view text) {
    Parts parts;
    const size_t colon = text.find(':');
    const size_t firstDelimiter = text.find_first_of("/?#");
    if (colon != std::string_view::npos && colon > 0 && colon < firstDelimiter &&
        std::isalpha(static_cast<unsigned char>(text[0])) &&
        std::all_of(text.begin(), text.begin() + long(colon), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
        })) {
        parts.scheme = text.substr(0, colon);
        text.remove_prefix(colon + 1);
    }
    if (const size_t hash = text.find('#'); hash != std::string_view::npos) {
        parts.fragment = text.substr(hash + 1);
        text = text.substr(0, hash);
    }
    if (const size_t question = text.find('?'); question != std::string_view::npos) {
        parts.query = text.substr(question + 1);
        text = text.substr(0, question);
    }
    if (text.starts_with("//")) {
        text.remove_prefix(2);
        const size_t slash = text.find('/');
        parts.authority = text.substr(0, slash);
        text = slash == std::string_view::npos ? std::string_view() : text.substr(slash);
    }
    parts.path = text;
    return parts;
}

// The host inside an authority: [user@]host[:port], the host possibly [IPv6].
std::string_view hostOf(std::string_view authority) {
    if (const size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    if (authority.starts_with('[')) {
        const size_t close = authority.find(']');
        return authority.substr(1, close == std::string_view::npos ? close : close - 1);
    }
    if (const size_t colon = authority.rfind(':'); colon != std::string_view::npos)
        return authority.substr(0, colon);
    return authority;
}

std::string decodedPath(const Parts& parts) {
    std::string path = removePercentEscapes(parts.path).value_or(std::string());
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

struct __CFURL : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDURL;
    explicit __CFURL(Parts parsed)
        : Object(kTypeID), parts(std::move(parsed)),
          string(cf::makeString(cf::fromUTF8(parts.text()))) {}
    ~__CFURL() override { CFRelease(string); }

    bool equals(const Object& other) const override {
        return CFEqual(string, static_cast<const __CFURL&>(other).string);
    }
    CFHashCode hash() const override { return CFHash(string); }
    std::u16string describe() const override { return std::u16string(cf::chars(string)); }

    const Parts parts;
    const CFStringRef string;
};

using cf::as;

static CFStringRef stringFromUTF8(const std::string& text) {
    return cf::makeString(cf::fromUTF8(text));
}

static CFURLRef fileURL(std::string path, bool isDirectory) {
    if (path.empty()) return nullptr;
    if (path.front() != '/') {
        char cwd[4096];
        if (!getcwd(cwd, sizeof cwd)) return nullptr;
        path = std::string(cwd) + "/" + path;
    }
    if (isDirectory && path.back() != '/') path.push_back('/');
    Parts parts;
    parts.scheme = "file";
    parts.authority = "";
    parts.path = addPercentEscapes(path, kPathCharacters);
    return new __CFURL(std::move(parts));
}

CFURLRef CFURLCreateWithString(CFAllocatorRef, CFStringRef URLString, CFURLRef baseURL) {
    if (!cf::isString(URLString)) return nullptr;
    const std::string text = cf::toUTF8(URLString);
    if (!isValidURLText(text)) return nullptr;
    Parts parts = parse(text);
    if (parts.scheme.empty() && as<__CFURL>(baseURL)) {
        const Parts& base = as<__CFURL>(baseURL)->parts;
        if (!parts.authority) {
            std::string path = parts.path;
            if (!path.starts_with('/')) path = base.path.substr(0, base.path.rfind('/') + 1) + path;
            parts.authority = base.authority;
            parts.path = path;
        }
        parts.scheme = base.scheme;
    }
    return new __CFURL(std::move(parts));
}

CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef, const UInt8* buffer,
                                                 CFIndex bufLen, Boolean isDirectory) {
    if (!buffer || bufLen <= 0) return nullptr;
    std::string path(reinterpret_cast<const char*>(buffer), size_t(bufLen));
    path = path.substr(0, path.find('\0'));
    return fileURL(path, isDirectory);
}

CFStringRef CFURLCopyScheme(CFURLRef anURL) {
    const __CFURL* url = as<__CFURL>(anURL);
    return url && !url->parts.scheme.empty() ? stringFromUTF8(url->parts.scheme) : nullptr;
}

CFStringRef CFURLCopyHostName(CFURLRef anURL) {
    const __CFURL* url = as<__CFURL>(anURL);
    if (!url || !url->parts.authority) return nullptr;
    const auto host = removePercentEscapes(hostOf(*url->parts.authority));
    if (!host || host->empty()) return nullptr;
    std::u16string text;
    return cf::decodeBytes(*host, kCFStringEncodingUTF8, text) ? cf::makeString(std::move(text))
                                                               : nullptr;
}

CFStringRef CFURLCopyFileSystemPath(CFURLRef anURL, CFURLPathStyle pathStyle) {
    const __CFURL* url = as<__CFURL>(anURL);
    if (!url || pathStyle != kCFURLPOSIXPathStyle || !removePercentEscapes(url->parts.path))
        return nullptr;
    return stringFromUTF8(decodedPath(url->parts));
}

Boolean CFURLGetFileSystemRepresentation(CFURLRef anURL, Boolean, UInt8* buffer,
                                         CFIndex maxBufLen) {
    const __CFURL* url = as<__CFURL>(anURL);
    if (!url || !buffer || maxBufLen <= 0 || !removePercentEscapes(url->parts.path)) return false;
    const std::string path = decodedPath(url->parts);
    if (path.empty() || path.find('\0') != std::string::npos || path.size() + 1 > size_t(maxBufLen))
        return false;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return true;
}

Boolean CFURLGetFSRef(CFURLRef url, FSRef* fsRef) {
    UInt8 path[PATH_MAX];
    if (!fsRef || !CFURLGetFileSystemRepresentation(url, true, path, sizeof path)) return false;
    std::unique_ptr<char, decltype(&std::free)> canonical(
        realpath(reinterpret_cast<const char*>(path), nullptr), &std::free);
    if (!canonical) return false;
    const size_t length = std::strlen(canonical.get());
    if (length + 1 > sizeof fsRef->hidden) return false;
    std::memset(fsRef->hidden, 0, sizeof fsRef->hidden);
    std::memcpy(fsRef->hidden, canonical.get(), length);
    return true;
}

OSErr FSCompareFSRefs(const FSRef* ref1, const FSRef* ref2) {
    if (!ref1 || !ref2) return paramErr;
    // Both hold NUL-terminated canonical paths; what follows the NUL does not count.
    const bool same =
        std::strncmp(reinterpret_cast<const char*>(ref1->hidden),
                     reinterpret_cast<const char*>(ref2->hidden), sizeof ref1->hidden) == 0;
    return same ? OSErr(noErr) : errFSRefsDifferent;
}

CFURLRef CFURLCreateFromFSRef(CFAllocatorRef, const FSRef* fsRef) {
    if (!fsRef) return nullptr;
    const auto* bytes = reinterpret_cast<const char*>(fsRef->hidden);
    const std::string path(bytes, strnlen(bytes, sizeof fsRef->hidden));
    if (path.empty()) return nullptr;
    struct stat status = {};
    const bool isDirectory = stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    return fileURL(path, isDirectory);
}
