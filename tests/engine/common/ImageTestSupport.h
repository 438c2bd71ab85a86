// Opening fixture images through the virtual disk and the sector reader.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "image/VirtualDisk.h"
#include "io/SectorReader.h"
#include "state/EngineState.h"

// A virtual disk opened on a fixture and made the sector reader's source
// for its lifetime.
class COpenedImage
{
public:
    explicit COpenedImage(const wchar_t* fixture)
    {
        std::wstring path = tesmir::test::FixturePath(fixture);
        m_disk.Create(ImageKindFromPath(path.c_str()));
        m_opened = m_disk.Open(path.c_str());
        g_SourceType = SourceVirtualDisk;
        SetSectorReaderDisk(&m_disk);
    }
    ~COpenedImage() { SetSectorReaderDisk(nullptr); }

    int opened() const { return m_opened; }
    CVirtualDisk& disk() { return m_disk; }

private:
    CVirtualDisk m_disk;
    int m_opened;
};

// Reads count sectors at lba into a buffer first filled with 0xCC, so that
// bytes the reader leaves alone show up.
inline std::string ReadSectorsAt(uint64_t lba, uint32_t count, int* result = nullptr)
{
    std::string buffer((size_t)count * 512, '\xCC');
    int rc = ReadSectors(L"", (DWORD)lba, (DWORD)(lba >> 32), count, &buffer[0]);
    if (result)
        *result = rc;
    return buffer;
}
