#include "image/VhdDisk.h"

#include <stdlib.h>

#include "image/BlockMapRead.h"
#include "common/ByteOrder.h"
#include "image/VhdBat.h"
#include "image/VhdFile.h"

namespace {
// Fixed images are read flat; this block size only bounds each file read.
const unsigned FlatBlockShift = 30;
}

CVhdDisk::CVhdDisk()
    : m_pFile(new CVhdFile), m_pBlockMap(nullptr), m_nBlocks(0), m_nDiskType(0),
      m_nCurrentBlock(-1), m_nPosition(0), m_nBlockSize(0), m_nBlockShift(FlatBlockShift),
      m_nBitmapBytes(0), m_nCylinders(0), m_nHeads(0), m_nSectorsPerTrack(0), m_nDiskSize(0)
{
}

CVhdDisk::~CVhdDisk()
{
    free(m_pBlockMap);
    delete m_pFile;
}

int CVhdDisk::Open(const wchar_t* path)
{
    free(m_pBlockMap);
    m_pBlockMap = nullptr;
    m_nBlocks = 0;
    m_nCurrentBlock = -1;
    m_nPosition = 0;
    if (!m_pFile->Open(path))
        return 0;
    if (!m_pFile->ReadFooter()) {
        m_pFile->Close();
        return 0;
    }
    const VhdFooter& footer = m_pFile->Footer();
    m_nDiskType = (int)footer.diskType;
    m_nDiskSize = footer.currentSize;
    m_nCylinders = footer.cylinders;
    m_nHeads = footer.heads;
    m_nSectorsPerTrack = footer.sectorsPerTrack;
    if (m_pFile->IsDynamic()) {
        m_nBlockSize = m_pFile->Header().blockSize;
        m_nBlockShift = Log2Exact(m_nBlockSize);
        m_nBitmapBytes = VhdBitmapBytes(m_nBlockSize);
        m_pFile->BuildBlockMap(&m_pBlockMap, &m_nBlocks);
    } else {
        m_nBlockSize = 0;
        m_nBlockShift = FlatBlockShift;
        m_nBitmapBytes = 0;
    }
    return 1;
}

int CVhdDisk::IsDifferencing() const { return m_nDiskType == VhdDiskTypeDifferencing; }

uint64_t CVhdDisk::LocateBlock(uint64_t block) const
{
    if (!m_pFile->IsDynamic())
        return block << FlatBlockShift;
    if (block >= m_nBlocks)
        return BlockBeyondMap;
    uint32_t entry = m_pBlockMap[block];
    if (entry == VhdBatUnused)
        return BlockReadsZero;
    return VhdBlockDataOffset(entry, m_nBitmapBytes);
}

int CVhdDisk::Seek(uint64_t offset)
{
    m_nPosition = offset;
    m_nCurrentBlock = (int64_t)(offset >> m_nBlockShift);
    return offset < m_nDiskSize && LocateBlock(offset >> m_nBlockShift) != BlockBeyondMap;
}

int CVhdDisk::Read(void* buffer, uint32_t size)
{
    int ok = ReadMappedBlocks(m_pFile->File(), m_nPosition, m_nDiskSize, m_nBlockShift, buffer,
                              size, [this](uint64_t block) { return LocateBlock(block); });
    m_nPosition += size;
    return ok;
}

int CVhdDisk::Close()
{
    m_pFile->Close();
    return 1;
}
