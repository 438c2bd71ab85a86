// File Trace of the generated trace volume, from the raw volume and from its
// dynamic VHD: exactly the planted sectors and the files' start sectors that
// The Sleuth Kit reports, with the compound files typed by their application.
#include "ImageTestSupport.h"
#include "TraceTestSupport.h"
#include "trace/SignatureSearch.h"

namespace {

uint32_t VolumeSectors()
{
    WIN32_FILE_ATTRIBUTE_DATA a;
    EXPECT_TRUE(GetFileAttributesExW(tesmir::test::FixturePath(L"trace.raw").c_str(), GetFileExInfoStandard, &a));
    return a.nFileSizeLow / 512;
}

using TraceVolumeTest = TraceTest;

TEST_F(TraceVolumeTest, EveryTypeChosenFindsExactlyTheManifest)
{
    const auto manifest = ReadTraceManifest();
    ASSERT_EQ(manifest.size(), 12u);
    ChooseAllSignatures(LoadBuiltCatalogue());
    const uint32_t sectors = VolumeSectors();

    for (const wchar_t* image : {L"trace.raw", L"trace.vhd"}) {
        SCOPED_TRACE(testing::Message() << (image[6] == L'r' ? "raw volume" : "dynamic VHD"));
        std::unique_ptr<COpenedImage> disk;
        std::unique_ptr<CVolumeSource> volume;
        if (image[6] == L'r') {
            volume.reset(new CVolumeSource(tesmir::test::FixturePath(image)));
            ASSERT_TRUE(volume->ok());
        } else {
            disk.reset(new COpenedImage(image));
            ASSERT_EQ(disk->opened(), 1);
        }
        SetSearchRange(0, sectors - 1);
        TraceSearchResult r;
        SearchSignatures(nullptr, &r);
        EXPECT_EQ(HitsBySector(), manifest);
        EXPECT_EQ(r.examinedSectors, sectors);
        EXPECT_EQ(r.unreadableSectors, 0u);

        // Hits are numbered in sector order; the compound files share one
        // description, their type comes from the probe.
        uint32_t number = 0;
        for (const TraceHit* h = g_TraceHitList.head; h; h = h->next) {
            EXPECT_EQ(h->hitNumber, ++number);
            EXPECT_EQ(std::wstring(h->name), std::to_wstring(number) + h->extension);
            const std::wstring ext = h->extension;
            if (ext == L".doc" || ext == L".xls" || ext == L".ppt") {
                EXPECT_STREQ(h->description, L"Microsoft Office Document");
            }
        }
    }
}

// The probe's answer is taken only when that type was chosen as well.
TEST_F(TraceVolumeTest, ProbedTypeNeedsToBeChosen)
{
    const auto manifest = ReadTraceManifest();
    const auto records = LoadBuiltCatalogue();
    CVolumeSource volume(tesmir::test::FixturePath(L"trace.raw"));
    ASSERT_TRUE(volume.ok());
    SetSearchRange(0, VolumeSectors() - 1);

    AppendCatalogueSignatures(records, L".doc");
    AppendCatalogueSignatures(records, L".ppt");
    SearchSignatures(nullptr, nullptr);
    std::map<uint32_t, std::wstring> want;
    for (const auto& m : manifest)
        if (m.second == L".doc" || m.second == L".xls" || m.second == L".ppt")
            want[m.first] = m.second == L".xls" ? L".doc" : m.second;
    EXPECT_EQ(HitsBySector(), want);
}

// The search ends at the range's end sector, also inside a batch, and the
// range may end at the volume's last sector.
TEST_F(TraceVolumeTest, RangeEndsAreHonoured)
{
    const auto manifest = ReadTraceManifest();
    ChooseAllSignatures(LoadBuiltCatalogue());
    CVolumeSource volume(tesmir::test::FixturePath(L"trace.raw"));
    ASSERT_TRUE(volume.ok());
    const uint32_t sectors = VolumeSectors();
    const uint32_t nearEnd = manifest.rbegin()->first;
    ASSERT_GE(nearEnd, sectors - 64);

    SetSearchRange(nearEnd - 100, nearEnd - 1);
    SearchSignatures(nullptr, nullptr);
    EXPECT_EQ(g_TraceHitList.count, 0u);

    SetSearchRange(nearEnd - 100, nearEnd);
    SearchSignatures(nullptr, nullptr);
    ASSERT_EQ(g_TraceHitList.count, 1u);
    EXPECT_EQ(g_TraceHitList.head->startSector, nearEnd);

    // A range reaching past the volume's end: the rest cannot be read.
    SetSearchRange(nearEnd - 100, sectors + 99);
    TraceSearchResult r;
    SearchSignatures(nullptr, &r);
    EXPECT_EQ(g_TraceHitList.count, 1u);
    EXPECT_EQ(r.unreadableSectors, 100u);
}

}  // namespace
