// The VHDX metadata region: its table of items, the values the reader needs
// (file parameters, virtual disk size, sector sizes) and the geometry of the
// block allocation table that follows from them.
#pragma once

#include <stddef.h>
#include <stdint.h>

enum
{
    VhdxMetadataTableMaxSize = 0x10000,
    VhdxMaxMetadataEntries = 2047,
};

struct VhdxItemRef
{
    uint32_t offset;     // from the start of the metadata region
    uint32_t length;
    bool found;
};

struct VhdxMetadataTable
{
    VhdxItemRef fileParameters;
    VhdxItemRef virtualDiskSize;
    VhdxItemRef logicalSectorSize;
    VhdxItemRef physicalSectorSize;
    VhdxItemRef parentLocator;
};

// Decodes the table at the start of a metadata region of regionLength bytes:
// signature "metadata", at most 2047 entries, every item inside the region,
// and the three items the reader cannot do without present and long enough.
int ParseVhdxMetadataTable(const unsigned char* data, size_t size, uint32_t regionLength,
                           VhdxMetadataTable* table);

enum VhdxMetadataResult
{
    VhdxMetadataOk = 0,
    VhdxMetadataInvalid = -1,
    VhdxMetadataSectorSizeUnsupported = -2,   // valid, but not 512-byte sectors
};

class CVhdxMetadata
{
public:
    CVhdxMetadata();

    // Takes the raw values: file parameters (8 bytes), virtual disk size (8),
    // logical sector size (4), physical sector size (4, may be null). Checks
    // them and computes the table geometry; returns a VhdxMetadataResult.
    int Decode(const unsigned char* fileParameters, const unsigned char* virtualDiskSize,
               const unsigned char* logicalSectorSize, const unsigned char* physicalSectorSize);

    // "Fixed Disk", "Dynamic Disk", "Differencing Disk" or "Invalid Disk".
    const wchar_t* GetDiskTypeText() const;

    // Index in the table of the entry of payload block n.
    uint64_t BatIndexOfBlock(uint64_t block) const { return block + block / m_nChunkRatio; }

    uint32_t m_nBlockSize;
    uint32_t m_nFlags;
    int m_nLeaveBlockAllocated;
    int m_nHasParent;
    uint64_t m_nVirtualDiskSize;
    uint32_t m_nLogicalSectorSize;
    uint32_t m_nPhysicalSectorSize;
    uint32_t m_nChunkRatio;          // payload blocks per sector-bitmap block
    uint64_t m_nDataBlockCount;
    uint64_t m_nBitmapBlockCount;
    uint64_t m_nBatEntryCount;       // payload and sector-bitmap entries
};
