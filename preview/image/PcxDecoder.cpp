#include "image/PcxDecoder.h"

#include "image/ImageBytes.h"

using imagebytes::le16;

namespace {
const size_t kHeaderSize = 128;
const size_t kPaletteSize = 769; // marker 0x0C and 256 RGB triples
}

bool DecodePcx(const BYTE* data, size_t size, CDibImage& image)
{
    image.Clear();
    if (data == nullptr || size < kHeaderSize)
        return false;
    const BYTE* h = data;
    if (h[0] != 0x0A || h[2] > 1 || h[3] != 8)
        return false;
    unsigned xmin = le16(h + 4), ymin = le16(h + 6), xmax = le16(h + 8), ymax = le16(h + 10);
    unsigned planes = h[65];
    size_t bytesPerLine = le16(h + 66);
    if (xmax < xmin || ymax < ymin)
        return false;
    DWORD width = xmax - xmin + 1, height = ymax - ymin + 1;
    if (planes != 1 && planes != 3 && planes != 4)
        return false;
    if (bytesPerLine < width)
        return false;

    // The pixel stream ends where the palette of a paletted picture begins.
    const BYTE* palette = nullptr;
    size_t end = size;
    if (planes == 1) {
        if (size - kHeaderSize < kPaletteSize || data[size - kPaletteSize] != 0x0C)
            return false;
        palette = data + size - kPaletteSize + 1;
        end = size - kPaletteSize;
    }
    const BYTE* src = data + kHeaderSize;
    size_t available = end - kHeaderSize;
    size_t lineBytes = bytesPerLine * planes;
    // One RLE pair gives at most 63 bytes: a stream too short for the picture
    // is refused before anything is allocated.
    size_t needed = lineBytes * height;
    bool rle = h[2] == 1;
    if (!rle && available < needed)
        return false;
    if (rle && available < (needed + 62) / 63)
        return false;
    if (!image.Allocate(width, height))
        return false;

    std::vector<BYTE> line;
    try {
        line.resize(lineBytes);
    } catch (const std::bad_alloc&) {
        image.Clear();
        return false;
    }
    size_t pos = 0;
    // A run may carry on into the next line; count keeps what is left of it.
    unsigned runLeft = 0;
    BYTE runValue = 0;
    for (DWORD y = 0; y < height; ++y) {
        size_t i = 0;
        while (i < lineBytes) {
            if (!rle) {
                line[i++] = src[pos++];
                continue;
            }
            if (runLeft == 0) {
                if (pos >= available) {
                    image.Clear();
                    return false;
                }
                BYTE b = src[pos++];
                if ((b & 0xC0) == 0xC0) {
                    if (pos >= available) {
                        image.Clear();
                        return false;
                    }
                    runLeft = b & 0x3F; // a run of 0 is skipped
                    runValue = src[pos++];
                    continue;
                }
                runLeft = 1;
                runValue = b;
            }
            line[i++] = runValue;
            --runLeft;
        }
        for (DWORD x = 0; x < width; ++x) {
            if (planes == 1) {
                const BYTE* c = palette + line[x] * 3;
                image.SetPixel(x, y, c[0], c[1], c[2]);
            } else {
                image.SetPixel(x, y, line[x], line[bytesPerLine + x], line[2 * bytesPerLine + x]);
            }
        }
    }
    return true;
}
