// The fax password's coding in the ticket: XOR with the fixed key "qzvj", then base64.
// All three routines work on caller buffers, allocate nothing and never write a NUL.
// Status: 0 success (*outLength = bytes written), -1 a null pointer, -2 inLength or capacity
// below 1, -3 the output capacity is too small.
#pragma once

#include <MacTypes.h>

// Output byte i = input byte i XOR key character (i mod 4); its own inverse. On -3 the output
// holds the complete 4-byte groups written before the check failed.
SInt32 KVEEncrypt(const UInt8* input, SInt32 inLength, UInt8* output, UInt32* outLength,
                  SInt32 capacity);

// Standard base64 (RFC 4648) with "=" padding and no line breaks: 4 * ceil(n / 3) characters.
// On -3 nothing is written.
SInt32 KVEBinToB64(const UInt8* input, SInt32 inLength, UInt8* output, UInt32* outLength,
                   SInt32 capacity);

// Decodes NUL-terminated base64 text of inLength characters (it stops at the NUL even when
// inLength says more). White space between characters is skipped; a character outside the
// alphabet counts as all bits set. Needs a capacity of 3 * floor((inLength + 3) / 4); on -3
// nothing is written.
SInt32 KVEB64ToBin(const UInt8* text, SInt32 inLength, UInt8* output, UInt32* outLength,
                   SInt32 capacity);
