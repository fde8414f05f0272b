#include "PasswordObfuscation.h"

#include <cstdint>

namespace {

constexpr UInt8 kKey[4] = {'q', 'z', 'v', 'j'};
// The key as a little-endian word: its lowest byte is the first character.
constexpr UInt32 kKeyWord =
    UInt32(kKey[0]) | UInt32(kKey[1]) << 8 | UInt32(kKey[2]) << 16 | UInt32(kKey[3]) << 24;

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr SInt32 kNullPointer = -1;
constexpr SInt32 kBadLength = -2;
constexpr SInt32 kTooSmall = -3;

// The 6-bit value of a base64 character; all bits set for anything outside the alphabet.
UInt32 sextet(UInt8 c) {
    if (c >= 'A' && c <= 'Z') return UInt32(c - 'A');
    if (c >= 'a' && c <= 'z') return UInt32(c - 'a' + 26);
    if (c >= '0' && c <= '9') return UInt32(c - '0' + 52);
    if (c == '+') return 62;
    if (c == '/') return 63;
    return 0xFF;
}

bool isWhiteSpace(UInt8 c) {
    return c == ' ' || (c >= 9 && c <= 13);
}

} // namespace

SInt32 KVEEncrypt(const UInt8* input, SInt32 inLength, UInt8* output, UInt32* outLength,
                  SInt32 capacity) {
    if (!input || !output || !outLength) return kNullPointer;
    if (inLength < 1 || capacity < 1) return kBadLength;
    *outLength = 0;
    const UInt32 groups = UInt32(inLength) / 4;
    for (UInt32 g = 0; g < groups; ++g) {
        if (int64_t(*outLength) + 4 > capacity) return kTooSmall;
        const UInt8* in = input + 4 * g;
        const UInt32 word =
            (UInt32(in[0]) | UInt32(in[1]) << 8 | UInt32(in[2]) << 16 | UInt32(in[3]) << 24) ^
            kKeyWord;
        UInt8* out = output + 4 * g;
        for (int k = 0; k < 4; ++k)
            out[k] = UInt8(word >> (8 * k));
        *outLength += 4;
    }
    const UInt32 rest = UInt32(inLength) % 4;
    if (rest) {
        if (int64_t(*outLength) + rest > capacity) return kTooSmall;
        const UInt32 start = *outLength;
        *outLength += rest;
        for (UInt32 k = 0; k < rest; ++k)
            output[start + k] = input[start + k] ^ kKey[k];
    }
    return 0;
}

SInt32 KVEBinToB64(const UInt8* input, SInt32 inLength, UInt8* output, UInt32* outLength,
                   SInt32 capacity) {
    if (!input || !output || !outLength) return kNullPointer;
    if (inLength < 1 || capacity < 1) return kBadLength;
    const int64_t needed = 4 * ((int64_t(inLength) + 2) / 3);
    if (capacity < needed) return kTooSmall;
    UInt32 written = 0;
    SInt32 i = 0;
    for (; inLength - i >= 3; i += 3) {
        const UInt32 group = UInt32(input[i]) << 16 | UInt32(input[i + 1]) << 8 | input[i + 2];
        output[written++] = UInt8(kAlphabet[(group >> 18) & 0x3F]);
        output[written++] = UInt8(kAlphabet[(group >> 12) & 0x3F]);
        output[written++] = UInt8(kAlphabet[(group >> 6) & 0x3F]);
        output[written++] = UInt8(kAlphabet[group & 0x3F]);
    }
    if (const SInt32 rest = inLength - i; rest > 0) {
        const UInt32 group = UInt32(input[i]) << 16 | (rest == 2 ? UInt32(input[i + 1]) << 8 : 0);
        output[written++] = UInt8(kAlphabet[(group >> 18) & 0x3F]);
        output[written++] = UInt8(kAlphabet[(group >> 12) & 0x3F]);
        output[written++] = rest == 2 ? UInt8(kAlphabet[(group >> 6) & 0x3F]) : UInt8('=');
        output[written++] = '=';
    }
    *outLength = written;
    return 0;
}

SInt32 KVEB64ToBin(const UInt8* text, SInt32 inLength, UInt8* output, UInt32* outLength,
                   SInt32 capacity) {
    if (!text || !output || !outLength) return kNullPointer;
    if (inLength < 1 || capacity < 1) return kBadLength;
    const int64_t groups = (int64_t(inLength) + 3) / 4;
    if (3 * groups > capacity) return kTooSmall;

    UInt32 written = 0;
    const UInt8* p = text;
    while (isWhiteSpace(*p))
        ++p;
    // The next character that is not white space; stays on the NUL once it is reached, so that
    // nothing past the text's end is ever read.
    auto next = [&p]() -> UInt8 {
        if (*p) ++p;
        while (isWhiteSpace(*p))
            ++p;
        return *p;
    };
    while (*p && p - text < 4 * groups) {
        const UInt8 c0 = *p;
        const UInt8 c1 = next();
        if (!c1) break;
        const UInt8 c2 = next();
        if (!c2) break;
        const UInt8 c3 = next();
        output[written++] = UInt8(sextet(c0) << 2 | sextet(c1) >> 4);
        if (!c3 || c2 == '=') break;
        output[written++] = UInt8(sextet(c1) << 4 | sextet(c2) >> 2);
        if (c3 == '=') break;
        output[written++] = UInt8(sextet(c2) << 6 | sextet(c3));
        next();
    }
    *outLength = written;
    return 0;
}
