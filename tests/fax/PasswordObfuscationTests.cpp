#include <PasswordObfuscation.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<UInt8>;

Bytes bytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// Runs one routine with a fresh output buffer; returns the status and fills out.
template <class Routine>
SInt32 run(Routine routine, const Bytes& input, SInt32 capacity, Bytes& out, SInt32 inLength = -1) {
    out.assign(size_t(std::max(capacity, 0)) + 8, 0xEE); // guard bytes after the capacity
    UInt32 length = 0xDEAD;
    const SInt32 status = routine(input.data(), inLength < 0 ? SInt32(input.size()) : inLength,
                                  out.data(), &length, capacity);
    for (size_t i = size_t(std::max(capacity, 0)); i < out.size(); ++i)
        EXPECT_EQ(out[i], 0xEE) << "wrote past the capacity at " << i;
    out.resize(status == 0 ? length : 0);
    return status;
}

std::string asText(const Bytes& b) {
    return std::string(b.begin(), b.end());
}

TEST(KVEEncrypt, XorsWithTheKeyAndIsItsOwnInverse) {
    for (const std::string input : {"1", "12", "123", "1234", "12345", "a longer password text"}) {
        SCOPED_TRACE(input);
        Bytes once, twice;
        ASSERT_EQ(run(KVEEncrypt, bytes(input), SInt32(input.size()), once), 0);
        ASSERT_EQ(once.size(), input.size());
        for (size_t i = 0; i < input.size(); ++i)
            EXPECT_EQ(once[i], UInt8(input[i] ^ "qzvj"[i % 4]));
        ASSERT_EQ(run(KVEEncrypt, once, SInt32(once.size()), twice), 0);
        EXPECT_EQ(asText(twice), input);
    }
}

TEST(KVEEncrypt, CapacityChecksKeepCompleteGroups) {
    Bytes out;
    EXPECT_EQ(run(KVEEncrypt, bytes("12345"), 4, out), -3) << "the fifth byte does not fit";
    Bytes partial(16, 0);
    UInt32 length = 0;
    const Bytes input = bytes("12345678");
    EXPECT_EQ(KVEEncrypt(input.data(), 8, partial.data(), &length, 6), -3);
    EXPECT_EQ(length, 4u) << "the first group was written before the check failed";
    EXPECT_EQ(partial[0], UInt8('1' ^ 'q'));

    EXPECT_EQ(run(KVEEncrypt, bytes("1234"), 4, out), 0);
    EXPECT_EQ(run(KVEEncrypt, bytes("1234"), 3, out), -3);
}

TEST(KVEBase64, EncodesWithPaddingAndChecksCapacityFirst) {
    Bytes out;
    EXPECT_EQ(run(KVEBinToB64, bytes("M"), 4, out), 0);
    EXPECT_EQ(asText(out), "TQ==");
    EXPECT_EQ(run(KVEBinToB64, bytes("Ma"), 4, out), 0);
    EXPECT_EQ(asText(out), "TWE=");
    EXPECT_EQ(run(KVEBinToB64, bytes("Man"), 4, out), 0);
    EXPECT_EQ(asText(out), "TWFu");
    EXPECT_EQ(run(KVEBinToB64, Bytes{0xFB, 0xFF}, 4, out), 0);
    EXPECT_EQ(asText(out), "+/8=");

    EXPECT_EQ(run(KVEBinToB64, bytes("1234"), 8, out), 0);
    EXPECT_EQ(asText(out), "MTIzNA==");
    Bytes untouched;
    EXPECT_EQ(run(KVEBinToB64, bytes("1234"), 7, untouched), -3);
    EXPECT_EQ(run(KVEBinToB64, bytes("x"), 4, out, 0), -2) << "0 bytes";
}

TEST(KVEBase64, TheTicketPasswordIsEightCharactersEndingInPadding) {
    const Bytes password = bytes("4321");
    Bytes obscured, encoded, decoded, restored;
    ASSERT_EQ(run(KVEEncrypt, password, 4, obscured), 0);
    ASSERT_EQ(run(KVEBinToB64, obscured, 8, encoded), 0);
    EXPECT_EQ(encoded.size(), 8u);
    EXPECT_EQ(asText(encoded).substr(6), "==");
    encoded.push_back(0);
    ASSERT_EQ(run(KVEB64ToBin, encoded, 6, decoded, 8), 0);
    ASSERT_EQ(run(KVEEncrypt, decoded, 4, restored), 0);
    EXPECT_EQ(restored, password);
}

Bytes decode(const std::string& text) {
    Bytes input = bytes(text);
    input.push_back(0);
    Bytes out;
    EXPECT_EQ(
        run(KVEB64ToBin, input, SInt32(3 * ((text.size() + 3) / 4)), out, SInt32(text.size())), 0);
    return out;
}

TEST(KVEBase64, DecodingSkipsWhiteSpaceAndHonoursPadding) {
    EXPECT_EQ(asText(decode("TWFu")), "Man");
    EXPECT_EQ(asText(decode("  T W\nF\tu\r\n")), "Man");
    EXPECT_EQ(asText(decode("TQ==")), "M");
    EXPECT_EQ(asText(decode("TWE=")), "Ma");
    EXPECT_EQ(asText(decode("TWFuTWE=")), "ManMa");
    EXPECT_EQ(asText(decode("TWFuTWE")), "ManM") << "a three-character last group yields one byte";
    EXPECT_EQ(asText(decode("TWFuTW")), "Man") << "a two-character last group yields none";
    EXPECT_EQ(asText(decode("TWFuT")), "Man") << "a lone character yields nothing";
    EXPECT_EQ(decode("T?==")[0], UInt8(('T' - 'A') << 2 | 0xFF >> 4))
        << "outside the alphabet counts as all bits set";
}

TEST(KVEBase64, DecodingNeverReadsPastTheTerminatingNul) {
    // Exactly sized heap copies, and a length that claims more text: a read past the NUL is
    // caught by AddressSanitizer in the sanitizer build.
    const std::pair<const char*, UInt32> cases[] = {{"T", 0}, {"TW", 0}, {"TWE", 1}, {"TWFuTQ", 3}};
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        const size_t size = std::strlen(text) + 1;
        std::unique_ptr<UInt8[]> exact(new UInt8[size]);
        std::memcpy(exact.get(), text, size);
        UInt8 out[64];
        UInt32 length = 0;
        ASSERT_EQ(KVEB64ToBin(exact.get(), 40, out, &length, sizeof out), 0);
        EXPECT_EQ(length, expected);
    }
    Bytes small;
    EXPECT_EQ(run(KVEB64ToBin, bytes("TWFuTWFu"), 5, small), -3)
        << "needs 3 per group before decoding";
}

TEST(KVEStatus, NullPointersAndBadLengths) {
    UInt8 buffer[8] = {};
    UInt32 length = 0;
    for (auto routine : {KVEEncrypt, KVEBinToB64, KVEB64ToBin}) {
        EXPECT_EQ(routine(nullptr, 4, buffer, &length, 8), -1);
        EXPECT_EQ(routine(buffer, 4, nullptr, &length, 8), -1);
        EXPECT_EQ(routine(buffer, 4, buffer, nullptr, 8), -1);
        EXPECT_EQ(routine(buffer, 0, buffer, &length, 8), -2);
        EXPECT_EQ(routine(buffer, 4, buffer, &length, 0), -2);
        EXPECT_EQ(routine(buffer, -1, buffer, &length, 8), -2);
    }
    const UInt8 text[] = "QUJD";
    EXPECT_EQ(KVEB64ToBin(text, INT32_MAX, buffer, &length, 8), -3)
        << "a huge length does not overflow the check";
    EXPECT_EQ(KVEBinToB64(text, INT32_MAX, buffer, &length, INT32_MAX), -3);
}

} // namespace
