#include "ExtensiveTestSupport.h"

#include <algorithm>

#include "TestSupport.h"
#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveScan.h"
#include "extensive/NtfsExtraction.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "scan/QuickScanTree.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"

void CRecordingExtensiveShell::SetProgress(int position)
{
    lowestProgress = std::min(lowestProgress, position);
    highestProgress = std::max(highestProgress, position);
}

bool CRecordingExtensiveShell::HasStatus(const wchar_t* text) const
{
    return std::find(statuses.begin(), statuses.end(), std::wstring(text)) != statuses.end();
}

void CRecordingExtensiveShell::BuildFatTree()
{
    tree.clear();
    std::map<uint32_t, std::vector<FatFolderRecord*>> folders;
    std::map<uint32_t, std::vector<FatFileRecord*>> files;
    for (FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
        folders[f->parentCluster].push_back(f);
    for (FatFileRecord* f = g_FatFiles.head; f; f = f->next)
        files[f->parentCluster].push_back(f);
    auto listFiles = [&](uint32_t key, const std::string& path) {
        for (FatFileRecord* f : files[key])
            tree[path + Utf8(f->name)] = f->deleted != 0;
    };
    listFiles(0, "");
    WalkFolderTree<FatFolderRecord, std::string>(
        0u, std::string(), [&](uint32_t key) -> const std::vector<FatFolderRecord*>& { return folders[key]; },
        [](FatFolderRecord* f) { return f->cluster; },
        [&](FatFolderRecord* f, const std::string& parent) {
            std::string path = parent + Utf8(f->name);
            tree[path] = f->deleted != 0;
            listFiles(f->cluster, path + "/");
            return path + "/";
        });
}

void CRecordingExtensiveShell::BuildNtfsTree()
{
    tree.clear();
    // Files of the chosen file system stay in the Extensive Scan's list; the
    // result list takes them by parent.
    std::map<uint32_t, std::vector<NtfsScanFileRecord*>> files;
    for (NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next)
        if (IsInChosenNtfsVolume(f))
            files[f->parent].push_back(f);
    auto listFiles = [&](uint32_t key, const std::string& path) {
        for (NtfsScanFileRecord* f : files[key])
            tree[path + Utf8(f->name)] = f->deleted != 0;
    };
    listFiles(5, "");
    WalkNtfsFolderTree(std::string(), [&](NtfsFolderRecord* f, const std::string& parent) {
        std::string path = parent + Utf8(f->name);
        tree[path] = f->deleted != 0;
        listFiles(f->recordNumber, path + "/");
        return path + "/";
    });
}

namespace {

DWORD WINAPI ScanThread(void* shell)
{
    return ExtensiveScanProc(shell);
}

DWORD WINAPI ExtractThread(void* shell)
{
    return ExtractionProc(shell);
}

bool RunWorker(LPTHREAD_START_ROUTINE proc, CExtensiveScanShell& shell, DWORD timeoutMs)
{
    BeginScanWorker();
    HANDLE thread = CreateThread(NULL, 0, proc, &shell, 0, NULL);
    bool done = tesmir::test::PumpUntil([] { return g_ScanBusy == 0 && g_ScanStop == 1; }, timeoutMs);
    if (done)
        WaitForSingleObject(thread, timeoutMs);
    CloseHandle(thread);
    return done;
}

}  // namespace

bool RunExtensiveScan(CExtensiveScanShell& shell, uint16_t code, uint32_t start, uint32_t count, DWORD timeoutMs)
{
    FreeEntryLists();
    FreeNtfsEntryLists();
    FreeExtensiveScanLists();
    g_ScanMode = ScanModeExtensive;
    g_BootStepDone = g_DirStepDone = 0;
    VolumeParamsRecord p = {};
    p.selectionCode = code;
    p.startSector = start;
    p.sectorCount = count;
    p.endSector = start + count;
    VolumeParams = p;
    bool done = RunWorker(&ScanThread, shell, timeoutMs);
    return done && g_BootStepDone && g_DirStepDone;
}

bool RunExtraction(CExtensiveScanShell& shell, unsigned number, DWORD timeoutMs)
{
    if (!SelectFoundVolumeParams(number))
        return false;
    return RunWorker(&ExtractThread, shell, timeoutMs);
}

unsigned FoundVolumeNumber(const CRecordingExtensiveShell& shell, const std::wstring& item)
{
    unsigned n = 1;
    for (FoundVolume* v = g_FoundVolumes.head; v; v = v->next, ++n)
        if (v->treeItem >= 1 && v->treeItem <= shell.items.size() && shell.items[v->treeItem - 1] == item)
            return n;
    return 0;
}

CTempVolume::CTempVolume(uint64_t sectors) : m_image((size_t)sectors * 512, 0)
{
    wchar_t dir[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"ext", 0, file);
    m_path = file;
}

CTempVolume::~CTempVolume()
{
    if (g_VolumeHandle && g_VolumeHandle != INVALID_HANDLE_VALUE)
        CloseHandle(g_VolumeHandle);
    g_VolumeHandle = NULL;
    g_SourceType = SourceVirtualDisk;
    DeleteFileW(m_path.c_str());
}

void CTempVolume::Write(uint64_t lba, const void* data, size_t bytes)
{
    memcpy(&m_image[(size_t)lba * 512], data, bytes);
}

unsigned char* CTempVolume::Sector(uint64_t lba)
{
    return &m_image[(size_t)lba * 512];
}

void CTempVolume::Open()
{
    HANDLE f = CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    WriteFile(f, m_image.data(), (DWORD)m_image.size(), &written, NULL);
    CloseHandle(f);
    g_VolumeHandle = CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                 OPEN_EXISTING, 0, NULL);
    g_SourceType = SourceLogicalVolume;
}
