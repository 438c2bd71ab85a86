// The one object through which the engine reads the opened image as a flat
// run of bytes, whatever its format: it holds a VHD or a VHDX reader and
// forwards to the reader of the current image kind.
#pragma once

#include <stdint.h>

class CVhdDisk;
class CVhdxDisk;

enum ImageKind
{
    ImageKindNone = 0,
    ImageKindVhd = 1,
    ImageKindVhdx = 2,
};

// Image kind from a path's extension, "vhd" or "vhdx" in any letter case;
// ImageKindNone for anything else.
int ImageKindFromPath(const wchar_t* path);

class CVirtualDisk
{
public:
    CVirtualDisk();
    ~CVirtualDisk();

    // Sets the kind and replaces the reader of that kind with a new one.
    void Create(int kind);
    // Opens the image with the reader of the current kind. Tells the user
    // once when a differencing image's parent will not be read, when a VHDX
    // log was not replayed, and when a VHDX uses sectors other than 512 bytes.
    int Open(const wchar_t* path);
    int Seek(uint64_t offset);
    int Read(void* buffer, uint32_t size);
    int Close();

    int GetKind() const { return m_nKind; }
    int GetCylinders();
    int GetHeads();
    int GetSectorsPerTrack();
    uint64_t GetDiskSize();
    // Number of 512-byte sectors of the open image of either kind (a VHD's
    // current size, which may exceed its cylinder-head-sector geometry).
    uint64_t GetSectorCount();
    const wchar_t* GetDiskTypeText();
    int GetDataBlockCount();
    int64_t GetBatEntryCount();

private:
    void DestroyVhd();
    void DestroyVhdx();

    int m_nKind;
    CVhdDisk* m_pVhd;
    CVhdxDisk* m_pVhdx;
    int m_nCachedCylinders;
    int m_nCachedHeads;

    CVirtualDisk(const CVirtualDisk&) = delete;
    CVirtualDisk& operator=(const CVirtualDisk&) = delete;
};
