#include "image/PnmDecoder.h"

namespace {

// Reads the header's and the text rasters' tokens: whitespace and "#"
// comments to the end of their line separate them.
class CPnmReader
{
public:
    CPnmReader(const BYTE* data, size_t size) : m_data(data), m_size(size), m_pos(0) {}

    void SkipSpace()
    {
        while (m_pos < m_size) {
            BYTE c = m_data[m_pos];
            if (c == '#') {
                while (m_pos < m_size && m_data[m_pos] != '\n' && m_data[m_pos] != '\r')
                    ++m_pos;
            } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
                ++m_pos;
            } else {
                break;
            }
        }
    }

    // A decimal number up to limit; false on no digits or a larger value.
    bool ReadNumber(DWORD limit, DWORD& value)
    {
        SkipSpace();
        size_t start = m_pos;
        DWORD v = 0;
        while (m_pos < m_size && m_data[m_pos] >= '0' && m_data[m_pos] <= '9') {
            DWORD digit = m_data[m_pos] - '0';
            if (v > (limit - digit) / 10)
                return false;
            v = v * 10 + digit;
            ++m_pos;
        }
        value = v;
        return m_pos > start;
    }

    // A P1 sample: one "0" or "1", with or without separators.
    bool ReadBit(DWORD& value)
    {
        SkipSpace();
        if (m_pos >= m_size || (m_data[m_pos] != '0' && m_data[m_pos] != '1'))
            return false;
        value = m_data[m_pos++] - '0';
        return true;
    }

    size_t Position() const { return m_pos; }
    size_t Left() const { return m_size - m_pos; }
    void Skip(size_t n) { m_pos += n; }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_pos;
};

BYTE Scale(DWORD sample, DWORD maxval)
{
    if (sample >= maxval)
        return 255;
    return static_cast<BYTE>((sample * 255u + maxval / 2) / maxval);
}

} // namespace

bool DecodePnm(const BYTE* data, size_t size, CDibImage& image)
{
    image.Clear();
    if (data == nullptr || size < 3 || data[0] != 'P' || data[1] < '1' || data[1] > '6')
        return false;
    int kind = data[1] - '0';
    bool bitmap = kind == 1 || kind == 4;
    bool text = kind <= 3;
    unsigned channels = (kind == 3 || kind == 6) ? 3 : 1;
    CPnmReader reader(data, size);
    reader.Skip(2);
    DWORD width = 0, height = 0, maxval = 1;
    if (!reader.ReadNumber(CDibImage::kMaxSide, width) || !reader.ReadNumber(CDibImage::kMaxSide, height))
        return false;
    if (!bitmap && (!reader.ReadNumber(65535, maxval) || maxval == 0))
        return false;
    if (width == 0 || height == 0)
        return false;

    size_t samplesPerRow = static_cast<size_t>(width) * channels;
    size_t sampleBytes = maxval > 255 ? 2 : 1;
    if (!text) {
        // One whitespace character ends the header of a binary raster.
        if (reader.Left() < 1)
            return false;
        reader.Skip(1);
        size_t rowBytes = bitmap ? (width + 7) / 8 : samplesPerRow * sampleBytes;
        if (reader.Left() / rowBytes < height)
            return false;
    } else if (reader.Left() / samplesPerRow < height) {
        // Every text sample takes at least one character.
        return false;
    }
    if (!image.Allocate(width, height))
        return false;

    const BYTE* raster = data + reader.Position();
    BYTE sample[3];
    for (DWORD y = 0; y < height; ++y) {
        for (DWORD x = 0; x < width; ++x) {
            for (unsigned c = 0; c < channels; ++c) {
                DWORD v = 0;
                if (text) {
                    bool ok = bitmap ? reader.ReadBit(v) : reader.ReadNumber(65535, v);
                    if (!ok) {
                        image.Clear();
                        return false;
                    }
                } else if (bitmap) {
                    v = (raster[y * ((width + 7) / 8) + x / 8] >> (7 - x % 8)) & 1;
                } else {
                    const BYTE* p = raster + (y * samplesPerRow + static_cast<size_t>(x) * channels + c) * sampleBytes;
                    v = sampleBytes == 2 ? (p[0] << 8) | p[1] : p[0];
                }
                // In a bitmap 1 is black.
                sample[c] = bitmap ? (v ? 0 : 255) : Scale(v, maxval);
            }
            if (channels == 3)
                image.SetPixel(x, y, sample[0], sample[1], sample[2]);
            else
                image.SetPixel(x, y, sample[0], sample[0], sample[0]);
        }
    }
    return true;
}
