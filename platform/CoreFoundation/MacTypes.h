// Basic Mac OS scalar types, status codes and four-character codes.
#pragma once

#include <cstdint>

typedef uint8_t UInt8;
typedef int8_t SInt8;
typedef uint16_t UInt16;
typedef int16_t SInt16;
typedef uint32_t UInt32;
typedef int32_t SInt32;
typedef uint64_t UInt64;
typedef int64_t SInt64;
typedef float Float32;
typedef double Float64;

typedef unsigned char Boolean;
typedef SInt32 OSStatus;
typedef SInt16 OSErr;
typedef UInt32 FourCharCode;
typedef FourCharCode OSType;
typedef FourCharCode ResType;
typedef UInt16 UniChar;
typedef UInt32 UTF32Char;
typedef unsigned char Str255[256];
typedef char* Ptr;
typedef Ptr* Handle;

enum : OSStatus {
    noErr = 0,
    paramErr = -50,
    memFullErr = -108,
    fnfErr = -43,
};

// Builds a four-character code from a four-character literal: FOUR_CHAR_CODE("pde ").
constexpr FourCharCode FOUR_CHAR_CODE(const char (&code)[5]) {
    return (FourCharCode(UInt8(code[0])) << 24) | (FourCharCode(UInt8(code[1])) << 16) |
           (FourCharCode(UInt8(code[2])) << 8) | FourCharCode(UInt8(code[3]));
}

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
