#include "image/CDibImage.h"

#include <new>

bool CDibImage::Allocate(DWORD width, DWORD height)
{
    Clear();
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return false;
    size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    if (stride > kMaxBytes / height)
        return false;
    try {
        m_bits.assign(stride * height, 0xFF);
    } catch (const std::bad_alloc&) {
        m_bits.clear();
        return false;
    }
    m_nWidth = width;
    m_nHeight = height;
    m_nStride = stride;
    return true;
}

void CDibImage::Clear()
{
    std::vector<BYTE>().swap(m_bits);
    m_nWidth = m_nHeight = 0;
    m_nStride = 0;
}
