// The password routines: their results, and their status for bad arguments and small buffers,
// which nothing else reaches.
#include <PasswordObfuscation.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Routine = SInt32 (*)(const UInt8*, SInt32, UInt8*, UInt32*, SInt32);

// Runs the routine on the text (NUL-terminated) into a fresh buffer of the capacity, checking
// that nothing was written past it; the status and the bytes written.
std::pair<SInt32, std::string> run(Routine routine, const std::string& text, SInt32 capacity) {
    std::vector<UInt8> out(size_t(capacity) + 8, 0xEE);
    UInt32 length = 0;
    const SInt32 status = routine(reinterpret_cast<const UInt8*>(text.c_str()), SInt32(text.size()),
                                  out.data(), &length, capacity);
    for (size_t i = size_t(capacity); i < out.size(); ++i)
        EXPECT_EQ(out[i], 0xEE) << "wrote past the capacity at " << i;
    return {status, status == 0 ? std::string(out.begin(), out.begin() + length) : ""};
}

TEST(KVEEncrypt, XorsWithTheKeyAndKeepsCompleteGroupsWhenTheBufferIsSmall) {
    EXPECT_EQ(run(KVEEncrypt, "12345", 5).second, "@HE^D"); // XOR with "qzvjq"
    EXPECT_EQ(run(KVEEncrypt, "12345", 4).first, -3) << "the fifth byte does not fit";
    EXPECT_EQ(run(KVEEncrypt, "1234", 3).first, -3);
    UInt8 partial[16] = {};
    UInt32 length = 0;
    EXPECT_EQ(KVEEncrypt(reinterpret_cast<const UInt8*>("12345678"), 8, partial, &length, 6), -3);
    EXPECT_EQ(length, 4u) << "the first group was written before the check failed";
    EXPECT_EQ(partial[0], UInt8('@'));
}

TEST(KVEBase64, EncodesWithPaddingAndDecodesSkippingWhiteSpace) {
    const std::pair<std::string, std::string> encodings[] = {
        {"M", "TQ=="}, {"Ma", "TWE="}, {"Man", "TWFu"}, {"\xFB\xFF", "+/8="}, {"1234", "MTIzNA=="}};
    for (const auto& [binary, text] : encodings) {
        EXPECT_EQ(run(KVEBinToB64, binary, SInt32(text.size())).second, text);
        EXPECT_EQ(run(KVEB64ToBin, text, 3 * SInt32(text.size() / 4)).second, binary);
    }
    const std::pair<std::string, std::string> decodings[] = {
        {"  T W\nF\tu\r\n", "Man"},
        {"TWFuTWE", "ManM"}, // a three-character last group yields one byte
        {"TWFuTW", "Man"},   // a two-character last group yields none
        {"TWFuT", "Man"},    // a lone character yields nothing
        {"T?==", std::string(1, char(('T' - 'A') << 2 | 0xFF >> 4))}, // outside the alphabet
    };
    for (const auto& [text, binary] : decodings)
        EXPECT_EQ(run(KVEB64ToBin, text, 3 * SInt32((text.size() + 3) / 4)).second, binary) << text;
}

TEST(KVEBase64, DecodingNeverReadsPastTheTerminatingNul) {
    // Exactly sized heap copies, and a length that claims more text: a read past the NUL is
    // caught by AddressSanitizer in the sanitizer build.
    const std::pair<const char*, UInt32> cases[] = {{"T", 0}, {"TW", 0}, {"TWE", 1}, {"TWFuTQ", 3}};
    for (const auto& [text, expected] : cases) {
        const std::vector<UInt8> exact(text, text + std::strlen(text) + 1);
        UInt8 out[64];
        UInt32 length = 0;
        ASSERT_EQ(KVEB64ToBin(exact.data(), 40, out, &length, sizeof out), 0) << text;
        EXPECT_EQ(length, expected) << text;
    }
}

TEST(KVEStatus, NullPointersBadLengthsAndSmallBuffers) {
    UInt8 buffer[8] = {};
    UInt32 length = 0;
    for (Routine routine : {KVEEncrypt, KVEBinToB64, KVEB64ToBin}) {
        EXPECT_EQ(routine(nullptr, 4, buffer, &length, 8), -1);
        EXPECT_EQ(routine(buffer, 4, nullptr, &length, 8), -1);
        EXPECT_EQ(routine(buffer, 4, buffer, nullptr, 8), -1);
        EXPECT_EQ(routine(buffer, 0, buffer, &length, 8), -2);
        EXPECT_EQ(routine(buffer, 4, buffer, &length, 0), -2);
        EXPECT_EQ(routine(buffer, -1, buffer, &length, 8), -2);
    }
    // Checked before anything is written, in arithmetic that a huge length cannot overflow.
    EXPECT_EQ(run(KVEBinToB64, "1234", 7).first, -3);
    EXPECT_EQ(run(KVEB64ToBin, "TWFuTWFu", 5).first, -3) << "3 bytes per group";
    EXPECT_EQ(KVEB64ToBin(buffer, INT32_MAX, buffer, &length, 8), -3);
    EXPECT_EQ(KVEBinToB64(buffer, INT32_MAX, buffer, &length, INT32_MAX), -3);
}

} // namespace
