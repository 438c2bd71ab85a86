// A VHDX image read as a flat run of bytes. Only blocks that are fully or
// partially present in the file deliver data; every other block reads as
// zeros (a differencing image's parent is never opened).
#pragma once

#include <stdint.h>

#include "image/File64.h"
#include "image/VhdxMetadata.h"

enum VhdxParseResult
{
    VhdxParseOk = 0,
    VhdxParseNoIdentifier = -1,
    VhdxParseNoValidHeader = -2,
    VhdxParseBadRegionTable = -3,
    VhdxParseBadMetadataTable = -4,
    VhdxParseBadParameters = -5,
    VhdxParseSectorSizeUnsupported = -6,
    VhdxParseBadBat = -7,
    VhdxParseOutOfMemory = -8,
};

class CVhdxDisk : public CFile64
{
public:
    CVhdxDisk();
    virtual ~CVhdxDisk();

    int Open(const wchar_t* path);
    // Reads and checks the structures; 0 or a negative VhdxParseResult.
    int Parse();
    // Sets the position of the next read; 0 when it lies outside the disk.
    int Seek(uint64_t offset);
    // Reads from the position and moves past the bytes asked for. Returns 1
    // when all came back; otherwise 0 with the missing bytes zeroed.
    int Read(void* buffer, uint32_t size);

    const wchar_t* GetDiskTypeText() const;
    uint64_t GetDiskSize() const { return m_metadata.m_nVirtualDiskSize; }
    int GetDataBlockCount() const { return (int)m_metadata.m_nDataBlockCount; }
    int GetBatEntryCount() const { return (int)m_metadata.m_nBatEntryCount; }
    int IsDifferencing() const { return m_metadata.m_nHasParent != 0; }
    // The current header names a log that was never replayed here.
    int IsLogPending() const { return m_bLogPending; }
    int GetParseResult() const { return m_nParseResult; }

private:
    int ReadBat(uint64_t fileOffset, uint32_t regionLength);
    uint64_t LocateBlock(uint64_t block) const;
    void Reset();

    unsigned char m_identifier[520];
    CVhdxMetadata m_metadata;
    uint64_t* m_pBat;            // every table entry, payload and sector bitmap, in file order
    unsigned m_nBlockShift;
    int m_bLogPending;
    int m_bParsed;
    int m_nParseResult;
    int64_t m_nCurrentBlock;
    uint64_t m_nPosition;
};
