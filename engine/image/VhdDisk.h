// A VHD image (fixed, dynamic or differencing) read as a flat run of bytes.
// Blocks that the image does not store (unallocated, or kept only in a
// differencing image's parent, which is never opened) read as zeros.
#pragma once

#include <stdint.h>

class CVhdFile;

class CVhdDisk
{
public:
    CVhdDisk();
    virtual ~CVhdDisk();

    int Open(const wchar_t* path);
    // Sets the position of the next read; 0 when it lies outside the disk.
    int Seek(uint64_t offset);
    // Reads from the position and moves past the bytes asked for. Returns 1
    // when all came back; otherwise 0 with the missing bytes zeroed.
    int Read(void* buffer, uint32_t size);
    int Close();

    int GetCylinders() const { return m_nCylinders; }
    int GetHeads() const { return m_nHeads; }
    int GetSectorsPerTrack() const { return m_nSectorsPerTrack; }
    // The footer's current size: the disk's real size in bytes, which may be
    // larger than cylinders x heads x sectors per track.
    uint64_t GetDiskSize() const { return m_nDiskSize; }
    int GetDiskType() const { return m_nDiskType; }
    int IsDifferencing() const;
    uint32_t GetBlockSize() const { return m_nBlockSize; }

private:
    uint64_t LocateBlock(uint64_t block) const;

    CVhdFile* m_pFile;
    uint32_t* m_pBlockMap;       // sector number of each block's bitmap, in table order
    uint32_t m_nBlocks;
    int m_nDiskType;
    int64_t m_nCurrentBlock;
    uint64_t m_nPosition;
    uint32_t m_nBlockSize;
    unsigned m_nBlockShift;
    uint32_t m_nBitmapBytes;
    int m_nCylinders;
    int m_nHeads;
    int m_nSectorsPerTrack;
    uint64_t m_nDiskSize;

    CVhdDisk(const CVhdDisk&) = delete;
    CVhdDisk& operator=(const CVhdDisk&) = delete;
};
