// The File Trace search on small made-up volumes: range bounds, unreadable
// sectors, which signature wins, compare lengths, numbering, stop, progress.
#include <string.h>

#include "TraceTestSupport.h"
#include "trace/SignatureSearch.h"

namespace {

// A volume file of `sectors` sectors of 0xEE with given bytes at the start
// of given sectors; deleted at the end of the test.
class CMadeVolume
{
public:
    CMadeVolume(uint32_t sectors, const std::vector<std::pair<uint32_t, std::string>>& plants)
    {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        m_path = std::wstring(folder) + L"trace-made-volume.bin";
        std::string data((size_t)sectors * 512, '\xEE');
        for (const auto& p : plants)
            memcpy(&data[(size_t)p.first * 512], p.second.data(), p.second.size());
        HANDLE f = CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD written = 0;
        WriteFile(f, data.data(), (DWORD)data.size(), &written, NULL);
        CloseHandle(f);
    }
    ~CMadeVolume() { DeleteFileW(m_path.c_str()); }
    const std::wstring& path() const { return m_path; }

private:
    std::wstring m_path;
};

const std::string kJpeg("\xFF\xD8\xFF\xE0", 4);
const std::string kPng("\x89PNG\r\n\x1A\n", 8);

std::vector<uint32_t> HitSectors()
{
    std::vector<uint32_t> sectors;
    for (const TraceHit* h = g_TraceHitList.head; h; h = h->next)
        sectors.push_back(h->startSector);
    return sectors;
}

TraceSearchResult Search(uint32_t start, uint32_t end, const TraceSearchObserver* observer = nullptr)
{
    SetSearchRange(start, end);
    TraceSearchResult result;
    SearchSignatures(observer, &result);
    return result;
}

using SignatureSearchTest = TraceTest;

// Exactly the sectors start..end are examined, whatever the batch size,
// with batches ending inside the range and past it.
TEST_F(SignatureSearchTest, ExaminesExactlyTheRange)
{
    const uint32_t planted[] = {0, 1, 63, 64, 255, 256, 257, 299, 300, 511, 512, 599};
    std::vector<std::pair<uint32_t, std::string>> plants;
    for (uint32_t s : planted)
        plants.push_back({s, kJpeg});
    CMadeVolume volume(600, plants);
    CVolumeSource source(volume.path());
    ASSERT_TRUE(source.ok());
    AppendSignatureSelection(L".jpg", L"JPEG Image", 3, "FFD8FF", 0);

    const struct { uint32_t start, end; std::vector<uint32_t> hits; } cases[] = {
        {0, 99, {0, 1, 63, 64}},
        {0, 299, {0, 1, 63, 64, 255, 256, 257, 299}},
        {256, 256, {256}},
        {257, 511, {257, 299, 300, 511}},
        {1, 599, {1, 63, 64, 255, 256, 257, 299, 300, 511, 512, 599}},
        {300, 299, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << ".." << c.end);
        TraceSearchResult r = Search(c.start, c.end);
        EXPECT_EQ(HitSectors(), c.hits);
        EXPECT_EQ(r.examinedSectors, c.end >= c.start ? c.end - c.start + 1 : 0u);
        EXPECT_EQ(r.unreadableSectors, 0u);
        EXPECT_EQ(r.hitCount, c.hits.size());
        EXPECT_EQ(g_FileCount, c.hits.size());
        EXPECT_EQ(g_FolderCount, g_FileCount);
    }
}

// A batch that cannot be read is read sector by sector: the readable
// sectors are still examined, the others skipped and counted.
TEST_F(SignatureSearchTest, UnreadableSectorsAreSkippedAndCounted)
{
    CMadeVolume volume(300, {{10, kJpeg}, {290, kJpeg}, {299, kJpeg}});
    CVolumeSource source(volume.path());
    ASSERT_TRUE(source.ok());
    AppendSignatureSelection(L".jpg", L"JPEG Image", 3, "FFD8FF", 0);

    TraceSearchResult r = Search(0, 399);
    EXPECT_EQ(HitSectors(), (std::vector<uint32_t>{10, 290, 299}));
    EXPECT_EQ(r.examinedSectors, 300u);
    EXPECT_EQ(r.unreadableSectors, 100u);
    EXPECT_EQ(g_TraceUnreadableSectors, 100u);
    EXPECT_FALSE(r.stopped);
}

// A sector matching several signatures gets one hit, for the first in the
// list; hits are numbered in order and named number + extension.
TEST_F(SignatureSearchTest, FirstSignatureInTheListWinsAndHitsAreNumbered)
{
    CMadeVolume volume(40, {{3, kJpeg}, {7, kPng}, {20, kJpeg}});
    CVolumeSource source(volume.path());
    ASSERT_TRUE(source.ok());
    AppendSignatureSelection(L".aaa", L"Short", 2, "FFD8", 0);
    AppendSignatureSelection(L".jpg", L"JPEG Image", 3, "FFD8FF", 0);
    AppendSignatureSelection(L".png", L"PNG Image", 8, "89504e470d0a1a0a", 0);

    Search(0, 39);
    std::vector<std::wstring> names, descriptions;
    std::vector<uint32_t> numbers;
    for (const TraceHit* h = g_TraceHitList.head; h; h = h->next) {
        names.push_back(h->name);
        descriptions.push_back(h->description);
        numbers.push_back(h->hitNumber);
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"1.aaa", L"2.png", L"3.aaa"}));
    EXPECT_EQ(descriptions, (std::vector<std::wstring>{L"Short", L"PNG Image", L"Short"}));
    EXPECT_EQ(numbers, (std::vector<uint32_t>{1, 2, 3}));

    // The list is rebuilt by each search; the other order gives the other type.
    FreeSignatureList();
    AppendSignatureSelection(L".jpg", L"JPEG Image", 3, "FFD8FF", 0);
    AppendSignatureSelection(L".aaa", L"Short", 2, "FFD8", 0);
    Search(0, 39);
    ASSERT_EQ(g_TraceHitList.count, 2u);
    EXPECT_STREQ(g_TraceHitList.head->name, L"1.jpg");
}

// The compare length is held to 1 .. min(15, signature bytes).
TEST_F(SignatureSearchTest, CompareLengthIsClamped)
{
    const std::string sixteen("ABCDEFGHIJKLMNOP");
    const std::string fifteenThenOther = sixteen.substr(0, 15) + "x";
    CMadeVolume volume(8, {{0, std::string("\xFF\x00", 2)}, {1, kJpeg}, {2, std::string("\xFF\xD8\xFF\x00", 4)},
                           {3, sixteen}, {4, fifteenThenOther}, {5, "ABCDEFGHIJKLMNO"}});
    CVolumeSource source(volume.path());
    ASSERT_TRUE(source.ok());

    const struct { uint32_t compareLength; const char* signature; std::vector<uint32_t> hits; } cases[] = {
        {0, "FFD8FFE0", {0, 1, 2}},        // too short: one byte
        {99, "FFD8FFE0", {1}},             // too long: the signature's four bytes
        {2, "FFD8FFE0", {1, 2}},           // as given
        {16, "4142434445464748494A4B4C4D4E4F50", {3, 4, 5}},  // at most fifteen
        {5, "", {}},                       // nothing to compare: never a hit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.compareLength << " " << c.signature);
        FreeSignatureList();
        AppendSignatureSelection(L".x", L"X", c.compareLength, c.signature, 0);
        Search(0, 7);
        EXPECT_EQ(HitSectors(), c.hits);
    }
}

struct Recorded
{
    std::vector<int> percents;
    std::vector<uint32_t> batches;
    int hits = 0;
    int stopAfterHits = 0;
};

void OnBatch(void* c, uint32_t first, uint32_t) { ((Recorded*)c)->batches.push_back(first); }
void OnProgress(void* c, int p) { ((Recorded*)c)->percents.push_back(p); }
void OnHit(void* c, const TraceHit*)
{
    Recorded* r = (Recorded*)c;
    if (++r->hits == r->stopAfterHits)
        g_ScanStop = 1;
}

// Progress runs over the range's own length, up to 99; Stop keeps the hits
// found so far.
TEST_F(SignatureSearchTest, ProgressAndStop)
{
    std::vector<std::pair<uint32_t, std::string>> plants;
    for (uint32_t s = 700; s < 1000; s += 50)
        plants.push_back({s, kJpeg});
    CMadeVolume volume(1000, plants);
    CVolumeSource source(volume.path());
    ASSERT_TRUE(source.ok());
    AppendSignatureSelection(L".jpg", L"JPEG Image", 3, "FFD8FF", 0);

    Recorded rec;
    TraceSearchObserver observer = {&rec, &OnBatch, &OnProgress, &OnHit};
    TraceSearchResult r = Search(600, 999, &observer);
    EXPECT_EQ(r.hitCount, 6u);
    ASSERT_FALSE(rec.percents.empty());
    EXPECT_EQ(rec.percents.front(), 0);
    EXPECT_EQ(rec.percents.back(), 99);
    EXPECT_TRUE(std::is_sorted(rec.percents.begin(), rec.percents.end()));
    EXPECT_EQ(rec.batches, (std::vector<uint32_t>{600, 600 + TraceBatchSectors}));

    Recorded stopping;
    stopping.stopAfterHits = 2;
    observer.context = &stopping;
    r = Search(600, 999, &observer);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(HitSectors(), (std::vector<uint32_t>{700, 750}));
    EXPECT_EQ(r.examinedSectors, 151u);
}

}  // namespace
