// File Trace on sectors that begin with zeros, which the search answers from
// one precomputed match (the benchmark found them to be its hot spot): the
// answer must be the one the signatures give in list order.
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <vector>

#include "state/EngineState.h"
#include "trace/SignatureSearch.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"

namespace {

struct Signature
{
    const wchar_t* extension;
    uint32_t length;
    const char* hex;
};

// Searches a 4-sector volume: zeros, 00 00 01 00 (an icon's start), zeros
// up to byte 14 and then 01, and zeros except for byte 15. Returns the
// extension of each sector's hit ("" for none).
std::vector<std::wstring> Search(const std::vector<Signature>& signatures)
{
    std::vector<unsigned char> image(4 * 512, 0);
    image[512 + 2] = 1;
    image[2 * 512 + 14] = 1;
    image[3 * 512 + 15] = 1;
    wchar_t dir[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"zst", 0, path);
    HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    WriteFile(f, image.data(), (DWORD)image.size(), &written, NULL);
    CloseHandle(f);

    FreeSignatureList();
    for (const Signature& s : signatures)
        AppendSignatureSelection(s.extension, L"test", s.length, s.hex, 0);
    g_VolumeHandle = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    g_SourceType = SourceLogicalVolume;
    VolumeParams = VolumeParamsRecord();
    VolumeParams.startSector = 0;
    VolumeParams.endSector = 3;
    g_ScanStop = 0;
    SearchSignatures(nullptr, nullptr);
    std::vector<std::wstring> hits(4);
    for (const TraceHit* h = g_TraceHitList.head; h; h = h->next)
        hits[h->startSector] = h->extension;
    CloseHandle(g_VolumeHandle);
    g_VolumeHandle = NULL;
    g_SourceType = SourceVirtualDisk;
    DeleteFileW(path);
    FreeTraceHitList();
    FreeSignatureList();
    return hits;
}

}  // namespace

TEST(ZeroSectorTrace, ZeroLeadingSectorsMatchAsTheSignaturesSay)
{
    const struct
    {
        std::vector<Signature> signatures;
        std::vector<std::wstring> expected;
    } cases[] = {
        // No signature of zeros: zero sectors are no hits.
        {{{L".ico", 4, "00000100"}, {L".png", 4, "89504E47"}}, {L"", L".ico", L"", L""}},
        // The first signature in list order that matches wins, zero sectors included.
        {{{L".ico", 4, "00000100"}, {L".zz", 2, "0000"}}, {L".zz", L".ico", L".zz", L".zz"}},
        {{{L".zz", 2, "0000"}, {L".ico", 4, "00000100"}}, {L".zz", L".zz", L".zz", L".zz"}},
        // Fifteen compared bytes: byte 14 counts, byte 15 does not.
        {{{L".z15", 15, "000000000000000000000000000000"}}, {L".z15", L"", L"", L".z15"}},
        // A compare length longer than the signature is held to its bytes.
        {{{L".z1", 9, "00"}}, {L".z1", L".z1", L".z1", L".z1"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Search(c.signatures));
}
