// A file written by the save's writers as a preview writes it (no save
// running), read back whole and deleted again. The test programs run side
// by side in one Wine prefix and share its temporary folder: each names
// its copy after its own process, so that one program never reads (or
// deletes) a copy another is writing.
#pragma once

#include <windows.h>
#include <stdint.h>

#include <string>

#include "TestSupport.h"
#include "save/SaveFile.h"

// FAT: source is the first cluster; NTFS: the LBA of the record holding the
// data. whole is set when the writer reported the complete file.
inline std::string SavedCopy(bool ntfs, uint32_t source, uint64_t size, bool* whole = nullptr)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    SaveRequest request;
    request.folder = folder;
    request.name = L"saved-copy-" + std::to_wstring(GetCurrentProcessId()) + L".bin";
    request.size = size;
    request.source = source;
    request.report = 0;
    int written = ntfs ? SaveNtfsFile(request) : SaveFatFile(request);
    if (whole)
        *whole = written == 1;
    std::string bytes;
    if (!request.path.empty()) {
        bytes = tesmir::test::ReadWholeFile(request.path);
        DeleteFileW(request.path.c_str());
    }
    return bytes;
}
