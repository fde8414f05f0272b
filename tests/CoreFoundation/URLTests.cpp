#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

CFRef<CFURLRef> url(const char* text) {
    return CFRef<CFURLRef>(CFURLCreateWithString(nullptr, makeString(text).get(), nullptr));
}

TEST(CFURL, DeviceURIsGiveSchemeAndHost) {
    auto socket = url("socket://192.168.1.20:9100");
    ASSERT_TRUE(socket);
    EXPECT_EQ(text(CFRef<CFStringRef>(CFURLCopyScheme(socket.get())).get()), "socket");
    EXPECT_EQ(text(CFRef<CFStringRef>(CFURLCopyHostName(socket.get())).get()), "192.168.1.20");

    auto mdns = url("mdns://Office%20Fax._pdl-datastream._tcp.local./?bonjour");
    ASSERT_TRUE(mdns);
    EXPECT_EQ(text(CFRef<CFStringRef>(CFURLCopyHostName(mdns.get())).get()),
              "Office Fax._pdl-datastream._tcp.local.")
        << "the host name comes without percent escapes";

    auto ipv6 = url("ipp://user@[fe80::1%25eth0]:631/printers/fax");
    ASSERT_TRUE(ipv6);
    EXPECT_EQ(text(CFRef<CFStringRef>(CFURLCopyHostName(ipv6.get())).get()), "fe80::1%eth0");

    auto usb = url("usb://Maker/Model?serial=1");
    EXPECT_EQ(text(CFRef<CFStringRef>(CFURLCopyScheme(usb.get())).get()), "usb");
    EXPECT_FALSE(CFRef<CFStringRef>(CFURLCopyScheme(url("no-scheme/path").get())));
}

TEST(CFURL, TextThatIsNoURLIsRefused) {
    EXPECT_FALSE(url("socket://has space"));
    EXPECT_FALSE(url("lpd://host/%zz"));
    EXPECT_FALSE(url("ipp://hôte/"));
    EXPECT_FALSE(CFURLCreateWithString(nullptr, nullptr, nullptr));
}

TEST(CFURL, FileURLsRoundTripPathsWithAnyCharacters) {
    CFRef<CFURLRef> file(CFURLCreateWithFileSystemPath(
        nullptr, makeString("/tmp/Fax Pane/日本 #1.plugin").get(), kCFURLPOSIXPathStyle, true));
    ASSERT_TRUE(file);
    EXPECT_TRUE(
        CFEqual(file.get(), url("file:///tmp/Fax%20Pane/%E6%97%A5%E6%9C%AC%20%231.plugin/").get()))
        << "escaped, with the folder's trailing slash";
    EXPECT_EQ(
        text(CFRef<CFStringRef>(CFURLCopyFileSystemPath(file.get(), kCFURLPOSIXPathStyle)).get()),
        "/tmp/Fax Pane/日本 #1.plugin");

    char path[64];
    ASSERT_TRUE(CFURLGetFileSystemRepresentation(file.get(), true, reinterpret_cast<UInt8*>(path),
                                                 sizeof path));
    EXPECT_STREQ(path, "/tmp/Fax Pane/日本 #1.plugin");
    EXPECT_FALSE(
        CFURLGetFileSystemRepresentation(file.get(), true, reinterpret_cast<UInt8*>(path), 10))
        << "a path longer than the buffer is refused";

    const char raw[] = "/var/spool/fax";
    CFRef<CFURLRef> fromRepresentation(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(raw), sizeof raw - 1, false));
    EXPECT_TRUE(CFEqual(fromRepresentation.get(), url("file:///var/spool/fax").get()));
}

} // namespace
