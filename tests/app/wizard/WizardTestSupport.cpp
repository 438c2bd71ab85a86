#include "WizardTestSupport.h"

#include <fstream>
#include <sstream>

#include "CDiskEnumerator.h"
#include "CMainFrame.h"
#include "TestSupport.h"
#include "state/EngineState.h"

using tesmir::test::PumpUntil;

CEx_StyleView* StartPage() { return DYNAMIC_DOWNCAST(CEx_StyleView, App().m_pViews[WizardStartPage]); }

CFirstView_HDD* DriveStep() { return DYNAMIC_DOWNCAST(CFirstView_HDD, App().m_pViews[WizardDriveStep]); }

CSecondView_HDD* ScanStep() { return DYNAMIC_DOWNCAST(CSecondView_HDD, App().m_pViews[WizardScanStep]); }

void ResetWizard()
{
    if (HWND dialog = FindPartitionTypeDialog())
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    WaitSearchEnded(60000);
    ScanStep()->OnBack();
    DriveStep()->OnBack();
    g_ScanMode = ScanModeQuick;
    g_ModeText.Empty();
}

void RunMode(const std::wstring& path, UINT nCommand)
{
    StartPage()->m_path.SetWindowText(path.c_str());
    StartPage()->SendMessage(WM_COMMAND, MAKEWPARAM(nCommand, BN_CLICKED), 0);
}

bool WaitSearchEnded(DWORD timeoutMs)
{
    return PumpUntil([] { return DriveStep()->m_starter.RunningJob() == CScanStarter::JobNone; }, timeoutMs);
}

HWND FindPartitionTypeDialog()
{
    return FindProcessWindow(::GetCurrentProcessId(), L"Partition Type");
}

HWND WaitPartitionTypeDialog(DWORD timeoutMs)
{
    HWND dialog = NULL;
    PumpUntil([&] { return (dialog = FindPartitionTypeDialog()) != NULL; }, timeoutMs);
    return dialog;
}

std::vector<std::wstring> ChildTexts(CTreeCtrl& tree, HTREEITEM hParent)
{
    std::vector<std::wstring> texts;
    HTREEITEM first = hParent == TVI_ROOT ? tree.GetRootItem() : tree.GetChildItem(hParent);
    for (HTREEITEM h = first; h; h = tree.GetNextSiblingItem(h))
        texts.push_back((LPCTSTR)tree.GetItemText(h));
    return texts;
}

HTREEITEM FindChild(CTreeCtrl& tree, HTREEITEM hParent, const wchar_t* text)
{
    HTREEITEM first = hParent == TVI_ROOT ? tree.GetRootItem() : tree.GetChildItem(hParent);
    for (HTREEITEM h = first; h; h = tree.GetNextSiblingItem(h))
        if (tree.GetItemText(h) == text)
            return h;
    return NULL;
}

std::vector<MmlsPartition> FileSystemPartitions(const wchar_t* mmlsName)
{
    std::vector<MmlsPartition> parts;
    std::istringstream in(tesmir::test::ReadWholeFile(tesmir::test::FixturePath(mmlsName)));
    std::string line;
    while (std::getline(in, line)) {
        // "002:  000:000   0000002048   0000280575   0000278528   Win95 FAT32 (0x0c)"
        std::istringstream fields(line);
        std::string slot, kind, start, end, length;
        if (!(fields >> slot >> kind >> start >> end >> length) || kind == "Meta" || kind == "-------")
            continue;
        std::string description;
        std::getline(fields, description);
        if (description.find("FAT") == std::string::npos && description.find("NTFS") == std::string::npos)
            continue;
        parts.push_back({std::stoull(start), std::stoull(length), std::wstring(description.begin(), description.end())});
    }
    return parts;
}

namespace {

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = L"";
    ::GetTempPathW(MAX_PATH, folder);
    std::wstring dir = std::wstring(folder) + L"tesmir-wizard";
    ::CreateDirectoryW(dir.c_str(), NULL);
    return dir + L"\\" + name;
}

uint32_t FooterChecksum(const unsigned char* footer)
{
    uint32_t sum = 0;
    for (int i = 0; i < 512; ++i)
        if (i < 64 || i >= 68)
            sum += footer[i];
    return ~sum;
}

bool PatchFooterAt(HANDLE file, LONGLONG offset)
{
    unsigned char footer[512];
    LARGE_INTEGER at;
    at.QuadPart = offset;
    DWORD done = 0;
    if (!::SetFilePointerEx(file, at, NULL, FILE_BEGIN) || !::ReadFile(file, footer, 512, &done, NULL) || done != 512 ||
        memcmp(footer, "conectix", 8) != 0)
        return false;
    memset(footer + 56, 0, 4);
    const uint32_t sum = FooterChecksum(footer);
    footer[64] = (unsigned char)(sum >> 24);
    footer[65] = (unsigned char)(sum >> 16);
    footer[66] = (unsigned char)(sum >> 8);
    footer[67] = (unsigned char)sum;
    return ::SetFilePointerEx(file, at, NULL, FILE_BEGIN) && ::WriteFile(file, footer, 512, &done, NULL) && done == 512;
}

}  // namespace

std::string BlankFixedVhd(uint32_t sectors)
{
    std::string bytes((size_t)sectors * 512 + 512, '\0');
    unsigned char* footer = reinterpret_cast<unsigned char*>(&bytes[(size_t)sectors * 512]);
    memcpy(footer, "conectix", 8);
    footer[11] = 2;                                  // features: reserved bit
    footer[13] = 1;                                  // version 1.0
    memset(footer + 16, 0xFF, 8);                    // no dynamic header
    const uint64_t size = (uint64_t)sectors * 512;
    for (int i = 0; i < 8; ++i) {
        footer[40 + i] = (unsigned char)(size >> (56 - 8 * i));   // original size
        footer[48 + i] = (unsigned char)(size >> (56 - 8 * i));   // current size
    }
    // Cylinders, heads, sectors per track: 16 heads of 16 sectors.
    const uint32_t cylinders = sectors / 256;
    footer[56] = (unsigned char)(cylinders >> 8);
    footer[57] = (unsigned char)cylinders;
    footer[58] = 16;
    footer[59] = 16;
    footer[63] = 2;                                  // fixed
    const uint32_t sum = FooterChecksum(footer);
    footer[64] = (unsigned char)(sum >> 24);
    footer[65] = (unsigned char)(sum >> 16);
    footer[66] = (unsigned char)(sum >> 8);
    footer[67] = (unsigned char)sum;
    return bytes;
}

CTempImage::CTempImage(const wchar_t* fixture, const wchar_t* name) : m_path(TempPath(name))
{
    ::DeleteFileW(m_path.c_str());
    m_ok = ::CopyFileW(tesmir::test::FixturePath(fixture).c_str(), m_path.c_str(), FALSE) != FALSE;
    ::SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

CTempImage::~CTempImage() { ::DeleteFileW(m_path.c_str()); }

bool CTempImage::ZeroVhdGeometry()
{
    HANDLE file = ::CreateFileW(m_path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    ::GetFileSizeEx(file, &size);
    bool ok = PatchFooterAt(file, size.QuadPart - 512);
    // A dynamic image keeps a copy of the footer at its start.
    unsigned char head[8];
    DWORD done = 0;
    LARGE_INTEGER zero = {};
    if (ok && ::SetFilePointerEx(file, zero, NULL, FILE_BEGIN) && ::ReadFile(file, head, 8, &done, NULL) &&
        done == 8 && memcmp(head, "conectix", 8) == 0)
        ok = PatchFooterAt(file, 0);
    ::CloseHandle(file);
    return ok;
}

CTempFile::CTempFile(const wchar_t* name, const std::string& bytes) : m_path(TempPath(name))
{
    HANDLE file = ::CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD done = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ::WriteFile(file, bytes.data(), (DWORD)bytes.size(), &done, NULL);
        ::CloseHandle(file);
    }
}

CTempFile::~CTempFile() { ::DeleteFileW(m_path.c_str()); }

void SaveFrameScreenshot(const wchar_t* name)
{
    CMainFrame* pFrame = App().GetMainFrame();
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntil([] { return false; }, 300);
    CRect rc;
    pFrame->GetWindowRect(&rc);
    tesmir::test::CDibCanvas canvas(rc.Width(), rc.Height());
    tesmir::test::CaptureWindow(pFrame->m_hWnd, canvas, true);
    canvas.SaveBmp(tesmir::test::ScreenshotPath((std::wstring(name) + L".bmp").c_str()));
}
