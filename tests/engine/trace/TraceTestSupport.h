// Shared helpers of the File Trace tests: the generated catalogue, the trace
// volume's manifest, and a file served as the logical-volume source.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <stdlib.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "state/EngineState.h"
#include "trace/SignatureCatalogue.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"

// The build folder's Windows path: TESMIR_BUILD_DIR is a Unix path, which
// Wine serves under drive Z:.
inline std::wstring BuildDirPath()
{
    const char* dir = getenv("TESMIR_BUILD_DIR");
    std::wstring path = L"Z:";
    for (const char* p = dir ? dir : ""; *p; ++p)
        path += *p == '/' ? L'\\' : (wchar_t)(unsigned char)*p;
    return path;
}

inline std::vector<CatalogueRecord> LoadBuiltCatalogue()
{
    std::vector<CatalogueRecord> records;
    EXPECT_EQ(LoadCatalogue(CataloguePath(BuildDirPath()).c_str(), records), 1);
    return records;
}

// Chooses every type the way the File Types dialog does with everything
// ticked: categories in order of their first record, extensions in order of
// their first record within the category.
inline void ChooseAllSignatures(const std::vector<CatalogueRecord>& records)
{
    std::vector<char> categories;
    for (const auto& r : records)
        if (std::find(categories.begin(), categories.end(), r.category) == categories.end())
            categories.push_back(r.category);
    for (char c : categories) {
        std::vector<std::wstring> extensions;
        for (const auto& r : records)
            if (r.category == c && !r.extension.empty() &&
                std::find(extensions.begin(), extensions.end(), r.extension) == extensions.end())
                extensions.push_back(r.extension);
        for (const auto& e : extensions)
            AppendCatalogueSignatures(records, e.c_str());
    }
}

// The trace volume's manifest: start sector -> type extension.
inline std::map<uint32_t, std::wstring> ReadTraceManifest()
{
    std::map<uint32_t, std::wstring> hits;
    std::string text = tesmir::test::ReadWholeFile(tesmir::test::FixturePath(L"trace.hits.tsv"));
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.empty() || line[0] == '#')
            continue;
        size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1);
        std::string ext = line.substr(t1 + 1, t2 - t1 - 1);
        hits[(uint32_t)strtoul(line.c_str(), nullptr, 10)] = std::wstring(ext.begin(), ext.end());
    }
    return hits;
}

inline std::map<uint32_t, std::wstring> HitsBySector()
{
    std::map<uint32_t, std::wstring> hits;
    for (const TraceHit* h = g_TraceHitList.head; h; h = h->next)
        hits[h->startSector] = h->extension;
    return hits;
}

inline void SetSearchRange(uint32_t start, uint32_t end)
{
    VolumeParams.startSector = start;
    VolumeParams.endSector = end;
}

// A file opened as the logical volume that sector reads come from, for the
// life of the object.
class CVolumeSource
{
public:
    explicit CVolumeSource(const std::wstring& path)
    {
        g_VolumeHandle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                     OPEN_EXISTING, 0, NULL);
        g_SourceType = SourceLogicalVolume;
    }
    ~CVolumeSource()
    {
        if (g_VolumeHandle != INVALID_HANDLE_VALUE && g_VolumeHandle)
            CloseHandle(g_VolumeHandle);
        g_VolumeHandle = NULL;
        g_SourceType = SourceVirtualDisk;
    }
    bool ok() const { return g_VolumeHandle != INVALID_HANDLE_VALUE; }
};

// Empties the trace lists and flags around each test.
class TraceTest : public testing::Test
{
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset()
    {
        FreeSignatureList();
        FreeTraceHitList();
        g_ScanStop = 0;
        g_SaveStop = 0;
        g_SaveSkip = 0;
        g_SavedFileCount = 0;
        g_TraceSizeMB = 0;
        ResetRecoverySettings();
    }
};
