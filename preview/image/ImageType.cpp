#include "image/ImageType.h"

#include <wchar.h>

namespace {

struct ImageExtension
{
    const wchar_t* extension;
    int type;
};

const ImageExtension kFourLetter[] = {{L"jpeg", 3}, {L"tiff", 6}, {L"wbmp", 9}};
const ImageExtension kThreeLetter[] = {
    {L"bmp", 1}, {L"gif", 2}, {L"jpg", 3}, {L"png", 4}, {L"ico", 5}, {L"tif", 6}, {L"tga", 7},
    {L"pcx", 8}, {L"wmf", 10}, {L"emf", 10}, {L"j2k", 11}, {L"jp2", 11}, {L"j2c", 12}, {L"jpc", 12},
    {L"pgx", 13}, {L"pnm", 14}, {L"pgm", 14}, {L"ppm", 14}, {L"ras", 15},
};

template <size_t N>
int MatchEnding(const wchar_t* name, size_t length, size_t letters, const ImageExtension (&table)[N])
{
    if (length < letters)
        return 0;
    for (const ImageExtension& entry : table)
        if (_wcsicmp(name + length - letters, entry.extension) == 0)
            return entry.type;
    return 0;
}

} // namespace

int GetImageTypeCode(LPCWSTR lpszName)
{
    if (lpszName == NULL)
        return 0;
    const size_t length = wcslen(lpszName);
    if (int type = MatchEnding(lpszName, length, 4, kFourLetter))
        return type;
    return MatchEnding(lpszName, length, 3, kThreeLetter);
}
