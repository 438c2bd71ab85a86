#include "trace/TraceText.h"

#include <stdlib.h>
#include <string.h>

#include "state/EngineList.h"

char* BytesToHex(const unsigned char* bytes, size_t n)
{
    static const char digits[] = "0123456789abcdef";
    char* text = (char*)EngineAlloc(2 * n + 1);
    for (size_t i = 0; i < n; ++i) {
        text[2 * i] = digits[bytes[i] >> 4];
        text[2 * i + 1] = digits[bytes[i] & 15];
    }
    text[2 * n] = '\0';
    return text;
}

char* ReorderHexWord(const char* text)
{
    char* out = (char*)EngineAlloc(5);
    if (!text || strlen(text) < 4) {
        out[0] = '\0';
        return out;
    }
    out[0] = text[2];
    out[1] = text[3];
    out[2] = text[0];
    out[3] = text[1];
    out[4] = '\0';
    return out;
}

std::wstring BytesToUpperHex(const unsigned char* bytes, size_t n)
{
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text(2 * n, L'0');
    for (size_t i = 0; i < n; ++i) {
        text[2 * i] = digits[bytes[i] >> 4];
        text[2 * i + 1] = digits[bytes[i] & 15];
    }
    return text;
}

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

size_t HexToBytes(const char* text, unsigned char* out, size_t maxBytes)
{
    size_t n = 0;
    if (!text)
        return 0;
    while (n < maxBytes) {
        int hi = HexDigit(text[2 * n]);
        if (hi < 0)
            break;
        int lo = HexDigit(text[2 * n + 1]);
        if (lo < 0)
            break;
        out[n++] = (unsigned char)(hi * 16 + lo);
    }
    return n;
}
