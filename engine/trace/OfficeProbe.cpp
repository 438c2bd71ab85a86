#include "trace/OfficeProbe.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <stdio.h>

#include "trace/TraceHitFile.h"

namespace {

// Defined here so the engine needs no GUID library.
const IID kIidPropertySetStorage = {0x0000013A, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const FMTID kFmtidSummaryInformation = {0xF29F85E0, 0x4FF9, 0x1068, {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9}};
const PROPID kPidAppName = 18;

std::wstring ProbeFilePath()
{
    wchar_t folder[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    if (n == 0 || n > MAX_PATH)
        return std::wstring();
    return std::wstring(folder, n) + L"0001";
}

}  // namespace

std::wstring ReadAppNameProperty(IPropertySetStorage* set)
{
    std::wstring result;
    IPropertyStorage* props = nullptr;
    if (FAILED(set->Open(kFmtidSummaryInformation, STGM_READ | STGM_SHARE_EXCLUSIVE, &props)) || !props)
        return result;
    PROPSPEC propSpec;
    propSpec.ulKind = PRSPEC_PROPID;
    propSpec.propid = kPidAppName;
    PROPVARIANT value;
    PropVariantInit(&value);
    if (props->ReadMultiple(1, &propSpec, &value) == S_OK && value.vt == VT_LPSTR && value.pszVal) {
        // The name is ANSI text of the writer's code page; the user's code
        // page is the best guess, taken without touching the process locale.
        std::string text = std::string(value.pszVal) + " (VT_LPSTR)\n";
        int len = MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), NULL, 0);
        if (len > 0) {
            result.resize(len);
            MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), &result[0], len);
        }
    }
    PropVariantClear(&value);
    props->Release();
    return result;
}

std::wstring ReadSummaryAppName(const wchar_t* path)
{
    std::wstring result;
    IStorage* storage = nullptr;
    if (FAILED(StgOpenStorage(path, NULL, STGM_READ | STGM_SHARE_EXCLUSIVE, NULL, 0, &storage)) || !storage)
        return result;
    IPropertySetStorage* set = nullptr;
    if (SUCCEEDED(storage->QueryInterface(kIidPropertySetStorage, (void**)&set)) && set) {
        result = ReadAppNameProperty(set);
        set->Release();
    }
    storage->Release();
    return result;
}

std::wstring ProbeOfficeType(uint32_t t)
{
    std::wstring appName;
    std::wstring path = ProbeFilePath();
    FILE* file = path.empty() ? nullptr : _wfopen(path.c_str(), L"wb+");
    if (file) {
        int written = WriteSectorChunks(file, t, TraceChunksPerMB);
        int closed = fclose(file) == 0;
        if (written && closed)
            appName = ReadSummaryAppName(path.c_str());
        DeleteFileW(path.c_str());
    }
    if (appName.find(L"PowerPoint") != std::wstring::npos)
        return L".ppt";
    if (appName.find(L"Excel") != std::wstring::npos)
        return L".xls";
    if (appName.find(L"Word") != std::wstring::npos)
        return L".doc";
    return L".pub";
}
