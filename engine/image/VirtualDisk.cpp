#include "image/VirtualDisk.h"

#include <string.h>
#include <wchar.h>

#include "image/VhdDisk.h"
#include "image/VhdxDisk.h"
#include "msg/MessageSink.h"

#include <string>

namespace {

// Differencing images open without their parent; the user learns once, at
// open time, what that means for the data.
void TellParentNotRead(const wchar_t* format)
{
    std::wstring text = L"This ";
    text += format;
    text += L" file is a differencing image. Its parent image is not read: data kept only in "
            L"the parent reads as zeros.";
    ShowMessage(text.c_str(), MessageKindInformation);
}

}  // namespace

int ImageKindFromPath(const wchar_t* path)
{
    if (!path)
        return ImageKindNone;
    const wchar_t* dot = wcsrchr(path, L'.');
    if (!dot || wcspbrk(dot, L"\\/"))
        return ImageKindNone;
    if (_wcsicmp(dot + 1, L"vhd") == 0)
        return ImageKindVhd;
    if (_wcsicmp(dot + 1, L"vhdx") == 0)
        return ImageKindVhdx;
    return ImageKindNone;
}

CVirtualDisk::CVirtualDisk()
    : m_nKind(ImageKindNone), m_pVhd(nullptr), m_pVhdx(nullptr), m_nCachedCylinders(0),
      m_nCachedHeads(0)
{
}

CVirtualDisk::~CVirtualDisk()
{
    DestroyVhdx();
    DestroyVhd();
}

void CVirtualDisk::DestroyVhd()
{
    if (m_pVhd) {
        m_pVhd->Close();
        delete m_pVhd;
        m_pVhd = nullptr;
    }
}

void CVirtualDisk::DestroyVhdx()
{
    if (m_pVhdx) {
        m_pVhdx->Close();
        delete m_pVhdx;
        m_pVhdx = nullptr;
    }
}

void CVirtualDisk::Create(int kind)
{
    m_nKind = kind;
    if (kind == ImageKindVhd) {
        DestroyVhd();
        m_pVhd = new CVhdDisk;
    } else if (kind == ImageKindVhdx) {
        DestroyVhdx();
        m_pVhdx = new CVhdxDisk;
    }
}

int CVirtualDisk::Open(const wchar_t* path)
{
    if (m_nKind == ImageKindVhd && m_pVhd) {
        if (!m_pVhd->Open(path))
            return 0;
        if (m_pVhd->IsDifferencing())
            TellParentNotRead(L"VHD");
        return 1;
    }
    if (m_nKind == ImageKindVhdx && m_pVhdx) {
        if (!m_pVhdx->Open(path)) {
            if (m_pVhdx->GetParseResult() == VhdxParseSectorSizeUnsupported)
                ShowMessage(L"This VHDX file uses 4096-byte logical sectors. Only images with "
                            L"512-byte logical sectors can be read.",
                            MessageKindError);
            return 0;
        }
        if (m_pVhdx->IsLogPending())
            ShowMessage(L"This VHDX file has changes in its log that were never applied (the "
                        L"computer may have stopped while the disk was in use). The log is not "
                        L"replayed: the most recent changes may be missing.",
                        MessageKindInformation);
        if (m_pVhdx->IsDifferencing())
            TellParentNotRead(L"VHDX");
        return 1;
    }
    return 0;
}

int CVirtualDisk::Seek(uint64_t offset)
{
    if (m_nKind == ImageKindVhd && m_pVhd)
        return m_pVhd->Seek(offset);
    if (m_nKind == ImageKindVhdx && m_pVhdx)
        return m_pVhdx->Seek(offset);
    return 0;
}

int CVirtualDisk::Read(void* buffer, uint32_t size)
{
    if (m_nKind == ImageKindVhd && m_pVhd)
        return m_pVhd->Read(buffer, size);
    if (m_nKind == ImageKindVhdx && m_pVhdx)
        return m_pVhdx->Read(buffer, size);
    memset(buffer, 0, size);
    return 0;
}

int CVirtualDisk::Close()
{
    if (m_nKind == ImageKindVhd && m_pVhd)
        return m_pVhd->Close();
    if (m_nKind == ImageKindVhdx && m_pVhdx) {
        m_pVhdx->Close();
        return 1;
    }
    return 0;
}

int CVirtualDisk::GetCylinders()
{
    if (m_nKind == ImageKindVhd && m_pVhd)
        m_nCachedCylinders = m_pVhd->GetCylinders();
    return m_nCachedCylinders;
}

int CVirtualDisk::GetHeads()
{
    if (m_nKind == ImageKindVhd && m_pVhd)
        m_nCachedHeads = m_pVhd->GetHeads();
    return m_nCachedHeads;
}

int CVirtualDisk::GetSectorsPerTrack()
{
    return m_nKind == ImageKindVhd && m_pVhd ? m_pVhd->GetSectorsPerTrack() : 0;
}

uint64_t CVirtualDisk::GetDiskSize()
{
    return m_nKind == ImageKindVhdx && m_pVhdx ? m_pVhdx->GetDiskSize() : 0;
}

uint64_t CVirtualDisk::GetSectorCount()
{
    if (m_nKind == ImageKindVhd && m_pVhd)
        return m_pVhd->GetDiskSize() / 512;
    if (m_nKind == ImageKindVhdx && m_pVhdx)
        return m_pVhdx->GetDiskSize() / 512;
    return 0;
}

const wchar_t* CVirtualDisk::GetDiskTypeText()
{
    return m_nKind == ImageKindVhdx && m_pVhdx ? m_pVhdx->GetDiskTypeText() : L"";
}

int CVirtualDisk::GetDataBlockCount()
{
    return m_nKind == ImageKindVhdx && m_pVhdx ? m_pVhdx->GetDataBlockCount() : 0;
}

int64_t CVirtualDisk::GetBatEntryCount()
{
    return m_nKind == ImageKindVhdx && m_pVhdx ? (int64_t)m_pVhdx->GetBatEntryCount() : 0;
}
