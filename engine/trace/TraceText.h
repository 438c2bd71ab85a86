// Small text helpers of the signature catalogue and the File Trace.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

// New malloc'd text of 2n lower-case hexadecimal digits and a NUL (the bytes
// 0xAB 0x01 give "ab01"); the caller frees it.
char* BytesToHex(const unsigned char* bytes, size_t n);

// New malloc'd text of the four digits in the order 3, 4, 1, 2 ("0500"
// gives "0005"), so that the hexadecimal text of two little-endian bytes,
// read with strtol base 16, gives the 16-bit value. A text shorter than four
// digits gives an empty text.
char* ReorderHexWord(const char* text);

// The bytes written as upper-case hexadecimal, two digits per byte.
std::wstring BytesToUpperHex(const unsigned char* bytes, size_t n);

// Decodes up to maxBytes bytes of a hexadecimal text (either case). Returns
// the number of bytes decoded; decoding stops at the first pair that is not
// two hexadecimal digits.
size_t HexToBytes(const char* text, unsigned char* out, size_t maxBytes);
