// Writing hits: preview copies, saving with the duplicate-name policy, the
// creation-failure question, and the Office probe's typing.
#include "MessageRecorder.h"
#include "TraceTestSupport.h"
#include "trace/OfficeProbe.h"
#include "save/SaveTraceHit.h"
#include "trace/TraceHitFile.h"

namespace {

using tesmir::test::FixturePath;
using tesmir::test::ReadWholeFile;

// A fresh empty folder under the temporary folder, removed with its files.
class CTempFolder
{
public:
    explicit CTempFolder(const wchar_t* name)
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + name;
        Clear();
        CreateDirectoryW(m_path.c_str(), NULL);
    }
    ~CTempFolder() { Clear(); }
    const std::wstring& path() const { return m_path; }
    std::wstring file(const std::wstring& name) const { return m_path + L"\\" + name; }
    void Put(const std::wstring& name, const std::string& data) const
    {
        HANDLE f = CreateFileW(file(name).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD n = 0;
        WriteFile(f, data.data(), (DWORD)data.size(), &n, NULL);
        CloseHandle(f);
    }

private:
    void Clear()
    {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((m_path + L"\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileW(file(fd.cFileName).c_str());
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(m_path.c_str());
    }
    std::wstring m_path;
};

uint32_t ManifestSector(const wchar_t* ext, size_t nth = 0)
{
    for (const auto& m : ReadTraceManifest())
        if (m.second == ext && nth-- == 0)
            return m.first;
    ADD_FAILURE() << "no such hit in the manifest";
    return 0;
}

class TraceHitFileTest : public TraceTest
{
protected:
    void SetUp() override
    {
        TraceTest::SetUp();
        m_raw = ReadWholeFile(FixturePath(L"trace.raw"));
        m_volume.reset(new CVolumeSource(FixturePath(L"trace.raw")));
        ASSERT_TRUE(m_volume->ok());
    }
    void TearDown() override
    {
        m_volume.reset();
        TraceTest::TearDown();
    }
    // What a hit file at `sector` must hold: the volume's bytes, zeros past
    // its end.
    std::string Expected(uint32_t sector, size_t bytes) const
    {
        std::string want = m_raw.substr((size_t)sector * 512, bytes);
        want.resize(bytes, '\0');
        return want;
    }

    std::string m_raw;
    std::unique_ptr<CVolumeSource> m_volume;
};

// A hit is written as the chosen number of megabytes from its start sector;
// near the volume's end the missing part is zeros and the length stays.
TEST_F(TraceHitFileTest, PreviewCopyHoldsTheChosenMegabytes)
{
    CTempFolder folder(L"trace-preview");
    const uint32_t jpg = ManifestSector(L".jpg");
    const uint32_t last = ReadTraceManifest().rbegin()->first;
    const struct { int mb; uint32_t sector; } cases[] = {{1, jpg}, {2, jpg}, {1, last}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mb << " MB at " << c.sector);
        g_TraceSizeMB = c.mb;
        ASSERT_EQ(WriteTraceFile((folder.path() + L"\\").c_str(), L"tmp1.jpg", c.sector), 1);
        std::string got = ReadWholeFile(folder.file(L"tmp1.jpg"));
        ASSERT_EQ(got.size(), (size_t)c.mb * 1048576);
        EXPECT_TRUE(got == Expected(c.sector, got.size()));
    }
    EXPECT_EQ(WriteTraceFile(L"Z:\\no\\such\\folder\\", L"tmp1.jpg", jpg), 0);
}

// The duplicate-name policies; a saved hit keeps the time of its writing.
TEST_F(TraceHitFileTest, SavingFollowsTheDuplicateNamePolicy)
{
    g_TraceSizeMB = 1;
    const uint32_t jpg = ManifestSector(L".jpg");
    const struct { uint16_t policy; int result; const wchar_t* written; } cases[] = {
        {1, 1, L"Copy (2 ) of 3.jpg"},
        {2, 1, L"3.jpg"},
        {3, 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.policy);
        CTempFolder folder(L"trace-save");
        folder.Put(L"3.jpg", "old");
        folder.Put(L"Copy (1 ) of 3.jpg", "old");
        RecoverySettings.duplicateNames = c.policy;
        g_SavedFileCount = 0;
        FILETIME before;
        GetSystemTimeAsFileTime(&before);
        std::wstring name = L"3.jpg";
        EXPECT_EQ(SaveTraceHit(folder.path().c_str(), 3, 1, jpg, name), c.result);
        EXPECT_EQ(g_SavedFileCount, c.result);
        if (!c.written) {
            EXPECT_EQ(ReadWholeFile(folder.file(L"3.jpg")), "old");
            continue;
        }
        EXPECT_EQ(name, c.written);
        EXPECT_TRUE(ReadWholeFile(folder.file(name)) == Expected(jpg, 1048576));
        WIN32_FILE_ATTRIBUTE_DATA a;
        ASSERT_TRUE(GetFileAttributesExW(folder.file(name).c_str(), GetFileExInfoStandard, &a));
        EXPECT_GE(CompareFileTime(&a.ftLastWriteTime, &before), 0) << "no FAT date may be put on a hit";
    }
}

// A file that cannot be created asks whether to go on; the path is shown as
// text, not markup. No stops the save, after which nothing is written.
TEST_F(TraceHitFileTest, CreationFailureAsksAndNoStops)
{
    CMessageRecorder recorder(2);
    g_TraceSizeMB = 1;
    std::wstring name = L"1.jpg";
    EXPECT_EQ(SaveTraceHit(L"Z:\\no\\such\\a&b<i>", 1, 1, 0, name), 0);
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text,
              L"Error creating file : Z:\\no\\such\\a&amp;b&lt;i&gt;\\1.jpg.  Continue Recovery ? ");
    EXPECT_EQ(recorder.messages()[0].kind, MessageKindError);
    EXPECT_EQ(recorder.messages()[0].isQuestion, 1);
    EXPECT_EQ(g_SaveStop, 1);

    CTempFolder folder(L"trace-stopped");
    EXPECT_EQ(SaveTraceHit(folder.path().c_str(), 1, 1, 0, name), 0);
    EXPECT_EQ(GetFileAttributesW(folder.file(name).c_str()), INVALID_FILE_ATTRIBUTES);
}

// The probe reads the application name of the compound file at a sector
// and leaves no temporary file behind.
TEST_F(TraceHitFileTest, OfficeProbeTypesByApplicationName)
{
    const struct { const wchar_t* manifestType; const wchar_t* probed; } cases[] = {
        {L".doc", L".doc"}, {L".xls", L".xls"}, {L".ppt", L".ppt"}, {L".pdf", L".pub"}, {L".zip", L".pub"},
    };
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring probeFile = std::wstring(temp) + L"0001";
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.manifestType, c.manifestType + 4));
        EXPECT_EQ(ProbeOfficeType(ManifestSector(c.manifestType)), c.probed);
        EXPECT_EQ(GetFileAttributesW(probeFile.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    CTempFolder folder(L"trace-probe");
    g_TraceSizeMB = 1;
    ASSERT_EQ(WriteTraceFile((folder.path() + L"\\").c_str(), L"b.xls", ManifestSector(L".xls")), 1);
    EXPECT_EQ(ReadSummaryAppName(folder.file(L"b.xls").c_str()), L"Microsoft Excel (VT_LPSTR)\n");
    ASSERT_EQ(WriteTraceFile((folder.path() + L"\\").c_str(), L"m.pdf", ManifestSector(L".pdf")), 1);
    EXPECT_EQ(ReadSummaryAppName(folder.file(L"m.pdf").c_str()), L"");
}

}  // namespace
