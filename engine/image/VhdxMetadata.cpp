#include "image/VhdxMetadata.h"

#include <string.h>

#include "common/ByteOrder.h"
#include "image/VhdxGuids.h"

namespace {

const uint32_t MinBlockSize = 1u << 20;
const uint32_t MaxBlockSize = 256u << 20;
const uint64_t MaxDiskSize = (uint64_t)64 << 40;

bool Fits(const VhdxItemRef& item, uint32_t regionLength, uint32_t needed)
{
    return item.found && item.length >= needed && item.offset <= regionLength &&
           regionLength - item.offset >= item.length;
}

}  // namespace

int ParseVhdxMetadataTable(const unsigned char* data, size_t size, uint32_t regionLength,
                           VhdxMetadataTable* table)
{
    memset(table, 0, sizeof *table);
    if (size < 32)
        return 0;
    if (memcmp(data, "metadata", 8) != 0)
        return 0;
    uint32_t count = le16(data + 10);
    if (count > VhdxMaxMetadataEntries || (size - 32) / 32 < count)
        return 0;
    for (uint32_t k = 0; k < count; ++k) {
        const unsigned char* entry = data + 32 + 32 * k;
        VhdxItemRef* item = nullptr;
        if (VhdxGuidEquals(entry, VhdxFileParametersGuid))
            item = &table->fileParameters;
        else if (VhdxGuidEquals(entry, VhdxVirtualDiskSizeGuid))
            item = &table->virtualDiskSize;
        else if (VhdxGuidEquals(entry, VhdxLogicalSectorSizeGuid))
            item = &table->logicalSectorSize;
        else if (VhdxGuidEquals(entry, VhdxPhysicalSectorSizeGuid))
            item = &table->physicalSectorSize;
        else if (VhdxGuidEquals(entry, VhdxParentLocatorGuid))
            item = &table->parentLocator;
        else
            continue;
        item->offset = le32(entry + 16);
        item->length = le32(entry + 20);
        item->found = true;
    }
    if (!Fits(table->fileParameters, regionLength, 8) ||
        !Fits(table->virtualDiskSize, regionLength, 8) ||
        !Fits(table->logicalSectorSize, regionLength, 4))
        return 0;
    if (table->physicalSectorSize.found && !Fits(table->physicalSectorSize, regionLength, 4))
        table->physicalSectorSize.found = false;
    return 1;
}

CVhdxMetadata::CVhdxMetadata()
    : m_nBlockSize(0), m_nFlags(0), m_nLeaveBlockAllocated(0), m_nHasParent(0),
      m_nVirtualDiskSize(0), m_nLogicalSectorSize(0), m_nPhysicalSectorSize(0), m_nChunkRatio(0),
      m_nDataBlockCount(0), m_nBitmapBlockCount(0), m_nBatEntryCount(0)
{
}

int CVhdxMetadata::Decode(const unsigned char* fileParameters, const unsigned char* virtualDiskSize,
                          const unsigned char* logicalSectorSize,
                          const unsigned char* physicalSectorSize)
{
    m_nBlockSize = le32(fileParameters);
    m_nFlags = le32(fileParameters + 4);
    m_nLeaveBlockAllocated = m_nFlags & 1;
    m_nHasParent = m_nFlags & 2;
    m_nVirtualDiskSize = le64(virtualDiskSize);
    m_nLogicalSectorSize = le32(logicalSectorSize);
    m_nPhysicalSectorSize = physicalSectorSize ? le32(physicalSectorSize) : 0;

    if (!IsPowerOfTwo(m_nBlockSize) || m_nBlockSize < MinBlockSize || m_nBlockSize > MaxBlockSize)
        return VhdxMetadataInvalid;
    if (m_nLogicalSectorSize != 512 && m_nLogicalSectorSize != 4096)
        return VhdxMetadataInvalid;
    if (m_nVirtualDiskSize == 0 || m_nVirtualDiskSize > MaxDiskSize ||
        m_nVirtualDiskSize % m_nLogicalSectorSize != 0)
        return VhdxMetadataInvalid;

    m_nChunkRatio = (uint32_t)(((uint64_t)1 << 23) * m_nLogicalSectorSize / m_nBlockSize);
    m_nDataBlockCount = (m_nVirtualDiskSize + m_nBlockSize - 1) / m_nBlockSize;
    m_nBitmapBlockCount = (m_nDataBlockCount + m_nChunkRatio - 1) / m_nChunkRatio;
    if (m_nHasParent)
        m_nBatEntryCount = m_nBitmapBlockCount * (m_nChunkRatio + 1);
    else
        m_nBatEntryCount = m_nDataBlockCount + (m_nDataBlockCount - 1) / m_nChunkRatio;

    // The engine counts 512-byte sectors everywhere.
    if (m_nLogicalSectorSize != 512)
        return VhdxMetadataSectorSizeUnsupported;
    return VhdxMetadataOk;
}

const wchar_t* CVhdxMetadata::GetDiskTypeText() const
{
    if (m_nLeaveBlockAllocated && m_nHasParent)
        return L"Invalid Disk";
    if (m_nLeaveBlockAllocated)
        return L"Fixed Disk";
    if (m_nHasParent)
        return L"Differencing Disk";
    return L"Dynamic Disk";
}
