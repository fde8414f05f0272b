// URLs: device URIs give their scheme and host without escapes, text that is no URL (a raw NUL
// too) is refused, and file URLs carry paths with any characters within the caller's buffer.
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

CFRef<CFURLRef> url(const char* text) {
    return CFRef<CFURLRef>(CFURLCreateWithString(nullptr, makeString(text).get(), nullptr));
}

TEST(CFURL, DeviceURIsGiveSchemeAndHostAndBadTextIsRefused) {
    const struct {
        const char *uri, *scheme, *host;
    } cases[] = {
        {"socket://192.168.1.20:9100", "socket", "192.168.1.20"},
        {"mdns://Office%20Fax._pdl-datastream._tcp.local./?bonjour", "mdns",
         "Office Fax._pdl-datastream._tcp.local."},
        {"ipp://user@[fe80::1%25eth0]:631/printers/fax", "ipp", "fe80::1%eth0"},
        {"no-scheme/path", "<null>", "<null>"},
    };
    for (const auto& c : cases) {
        auto parsed = url(c.uri);
        ASSERT_TRUE(parsed) << c.uri;
        EXPECT_EQ(text(CFRef<CFStringRef>(CFURLCopyScheme(parsed.get())).get()), c.scheme);
        EXPECT_EQ(text(CFRef<CFStringRef>(CFURLCopyHostName(parsed.get())).get()), c.host);
    }
    for (const char* bad : {"socket://has space", "lpd://host/%zz", "ipp://hôte/"})
        EXPECT_FALSE(url(bad)) << bad;
    EXPECT_FALSE(CFURLCreateWithString(nullptr, nullptr, nullptr));

    // A raw NUL is no URL character either, so a host cannot hide text behind one.
    static const char withNul[] = "socket://[fe80::1%25lo\0\0]:9100";
    CFRef<CFStringRef> nulText(
        CFStringCreateWithBytes(nullptr, reinterpret_cast<const UInt8*>(withNul),
                                sizeof withNul - 1, kCFStringEncodingUTF8, false));
    ASSERT_TRUE(nulText);
    EXPECT_FALSE(CFRef<CFURLRef>(CFURLCreateWithString(nullptr, nulText.get(), nullptr)));
}

TEST(CFURL, FileURLsRoundTripPathsWithAnyCharacters) {
    const char path[] = "/tmp/Fax Pane/日本 #1.plugin";
    CFRef<CFURLRef> file(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(path), sizeof path - 1, true));
    EXPECT_TRUE(
        CFEqual(file.get(), url("file:///tmp/Fax%20Pane/%E6%97%A5%E6%9C%AC%20%231.plugin/").get()))
        << "escaped, with the folder's trailing slash";
    EXPECT_EQ(
        text(CFRef<CFStringRef>(CFURLCopyFileSystemPath(file.get(), kCFURLPOSIXPathStyle)).get()),
        path);
    char back[64];
    ASSERT_TRUE(CFURLGetFileSystemRepresentation(file.get(), true, reinterpret_cast<UInt8*>(back),
                                                 sizeof back));
    EXPECT_STREQ(back, path);
    EXPECT_FALSE(
        CFURLGetFileSystemRepresentation(file.get(), true, reinterpret_cast<UInt8*>(back), 10))
        << "a path longer than the buffer is refused";
}

} // namespace
