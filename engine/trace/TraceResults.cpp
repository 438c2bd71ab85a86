#include "trace/TraceResults.h"

#include <wchar.h>

#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"

uint64_t g_SelectedBytes;

namespace {

enum { RowTextLength = 100 };

uint64_t FileBytes(uint32_t key)
{
    if (g_ScanMode == ScanModeFileTrace) {
        for (const TraceHit* h = g_TraceHitList.head; h; h = h->next)
            if (h->hitNumber == key)
                return g_TraceSizeMB > 0 ? (uint64_t)g_TraceSizeMB * 1048576 : 0;
        return 0;
    }
    switch (VolumeParams.fileSystemType) {
    case FileSystemFat16:
    case FileSystemFat32:
        for (const FatFileRecord* f = g_FatFiles.head; f; f = f->next)
            if (f->fileNumber == key)
                return f->size;
        break;
    case FileSystemNtfs:
        if (g_ScanMode == ScanModeQuick) {
            for (const NtfsFileRecord* f = g_NtfsFileList.head; f; f = f->next)
                if (f->dataRecordSector == key)
                    return f->size;
        } else if (g_ScanMode == ScanModeExtensive) {
            for (const NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next)
                if (f->recordSector == key)
                    return f->size;
        }
        break;
    }
    return 0;
}

}  // namespace

std::wstring TrimBlanks(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

std::vector<std::wstring> TraceTypeRows()
{
    std::vector<std::wstring> rows;
    for (const TraceHit* h = g_TraceHitList.head; h; h = h->next) {
        const std::wstring text = h->description;
        bool listed = false;
        for (const std::wstring& row : rows)
            if (_wcsicmp(row.substr(0, RowTextLength).c_str(), text.substr(0, RowTextLength).c_str()) == 0) {
                listed = true;
                break;
            }
        if (!listed)
            rows.push_back(text);
    }
    return rows;
}

bool TraceHitBelongs(const TraceHit& hit, const std::wstring& text, bool byDescription)
{
    if (byDescription)
        return TrimBlanks(hit.description) == text;
    return _wcsicmp(hit.extension, text.c_str()) == 0;
}

void AddSelectedFileBytes(const uint32_t* keys, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        g_SelectedBytes += FileBytes(keys[i]);
}

std::wstring SelectedSizeText(uint64_t bytes)
{
    const uint32_t mb = (uint32_t)(bytes / 1024 / 1024);
    return L"Selected Size : " + std::to_wstring(mb) + L" MB";
}
