#include "image/VhdxDisk.h"

#include <stdlib.h>
#include <string.h>

#include <memory>

#include "image/BlockMapRead.h"
#include "common/ByteOrder.h"
#include "image/VhdxBat.h"
#include "image/VhdxHeader.h"
#include "image/VhdxRegionTable.h"

CVhdxDisk::CVhdxDisk()
    : m_pBat(nullptr), m_nBlockShift(0), m_bLogPending(0), m_bParsed(0), m_nParseResult(0),
      m_nCurrentBlock(-1), m_nPosition(0)
{
    memset(m_identifier, 0, sizeof m_identifier);
}

CVhdxDisk::~CVhdxDisk()
{
    free(m_pBat);
}

void CVhdxDisk::Reset()
{
    free(m_pBat);
    m_pBat = nullptr;
    m_metadata = CVhdxMetadata();
    m_bLogPending = 0;
    m_bParsed = 0;
    m_nParseResult = 0;
    m_nCurrentBlock = -1;
    m_nPosition = 0;
}

int CVhdxDisk::Open(const wchar_t* path)
{
    Close();
    Reset();
    if (!CFile64::Open(path, FILE_SHARE_READ | FILE_SHARE_WRITE))
        return 0;
    m_nParseResult = Parse();
    if (m_nParseResult < 0) {
        Close();
        return 0;
    }
    return 1;
}

int CVhdxDisk::Parse()
{
    const uint64_t length = GetLength();
    // One scratch buffer for the structures read while parsing.
    std::unique_ptr<unsigned char, void (*)(void*)> buffer(
        (unsigned char*)malloc(VhdxRegionTableSize), free);
    if (!buffer)
        return VhdxParseOutOfMemory;
    unsigned char* scratch = buffer.get();

    if (!ReadAt(scratch, VhdxIdentifierOffset, VhdxHeaderSize) ||
        !ParseVhdxFileIdentifier(scratch, VhdxHeaderSize))
        return VhdxParseNoIdentifier;
    memcpy(m_identifier, scratch, sizeof m_identifier);

    VhdxHeader headers[2] = {};
    int valid[2];
    const uint64_t headerOffsets[2] = {VhdxHeader1Offset, VhdxHeader2Offset};
    for (int i = 0; i < 2; ++i)
        valid[i] = ReadAt(scratch, headerOffsets[i], VhdxHeaderSize) &&
                   ParseVhdxHeader(scratch, VhdxHeaderSize, &headers[i]);
    int current = ChooseVhdxHeader(valid[0], headers[0], valid[1], headers[1]);
    if (current < 0)
        return VhdxParseNoValidHeader;
    m_bLogPending = headers[current].logPending;

    VhdxRegions regions;
    if (!ReadAt(scratch, VhdxRegionTableOffset, VhdxRegionTableSize) ||
        ParseVhdxRegionTable(scratch, VhdxRegionTableSize, length, &regions) != VhdxRegionsOk)
        return VhdxParseBadRegionTable;

    const uint64_t m = regions.metadata.fileOffset;
    uint32_t tableSize = regions.metadata.length < (uint32_t)VhdxMetadataTableMaxSize
                             ? regions.metadata.length
                             : (uint32_t)VhdxMetadataTableMaxSize;
    VhdxMetadataTable table;
    if (!ReadAt(scratch, m, tableSize) ||
        !ParseVhdxMetadataTable(scratch, tableSize, regions.metadata.length, &table))
        return VhdxParseBadMetadataTable;

    unsigned char fileParameters[8], diskSize[8], logicalSector[4], physicalSector[4];
    if (!ReadAt(fileParameters, m + table.fileParameters.offset, 8) ||
        !ReadAt(diskSize, m + table.virtualDiskSize.offset, 8) ||
        !ReadAt(logicalSector, m + table.logicalSectorSize.offset, 4))
        return VhdxParseBadMetadataTable;
    bool havePhysical = table.physicalSectorSize.found &&
                        ReadAt(physicalSector, m + table.physicalSectorSize.offset, 4);
    int decoded = m_metadata.Decode(fileParameters, diskSize, logicalSector,
                                    havePhysical ? physicalSector : nullptr);
    if (decoded == VhdxMetadataSectorSizeUnsupported)
        return VhdxParseSectorSizeUnsupported;
    if (decoded != VhdxMetadataOk)
        return VhdxParseBadParameters;
    m_nBlockShift = Log2Exact(m_metadata.m_nBlockSize);

    int bat = ReadBat(regions.bat.fileOffset, regions.bat.length);
    if (bat < 0)
        return bat;
    m_bParsed = 1;
    return VhdxParseOk;
}

// The whole table in one read into one array.
int CVhdxDisk::ReadBat(uint64_t fileOffset, uint32_t regionLength)
{
    const uint64_t entries = m_metadata.m_nBatEntryCount;
    if (entries > regionLength / 8)
        return VhdxParseBadBat;
    m_pBat = (uint64_t*)malloc((size_t)entries * 8);
    if (!m_pBat)
        return VhdxParseOutOfMemory;
    if (!ReadAt(m_pBat, fileOffset, (DWORD)(entries * 8)))
        return VhdxParseBadBat;
    DecodeVhdxBat(m_pBat, entries);
    return VhdxParseOk;
}

uint64_t CVhdxDisk::LocateBlock(uint64_t block) const
{
    if (!m_bParsed || block >= m_metadata.m_nDataBlockCount)
        return BlockBeyondMap;
    uint64_t entry = m_pBat[m_metadata.BatIndexOfBlock(block)];
    return VhdxBatHasData(entry) ? VhdxBatFileOffset(entry) : BlockReadsZero;
}

int CVhdxDisk::Seek(uint64_t offset)
{
    m_nPosition = offset;
    if (!m_bParsed)
        return 0;
    m_nCurrentBlock = (int64_t)(offset >> m_nBlockShift);
    return offset < GetDiskSize() && LocateBlock(offset >> m_nBlockShift) != BlockBeyondMap;
}

int CVhdxDisk::Read(void* buffer, uint32_t size)
{
    int ok = ReadMappedBlocks(*this, m_nPosition, m_bParsed ? GetDiskSize() : 0, m_nBlockShift,
                              buffer, size, [this](uint64_t block) { return LocateBlock(block); });
    m_nPosition += size;
    return ok;
}

const wchar_t* CVhdxDisk::GetDiskTypeText() const
{
    return m_bParsed ? m_metadata.GetDiskTypeText() : L"";
}
