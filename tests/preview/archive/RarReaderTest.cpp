// The RAR listing against the stand-in library, and without any library.
#include "ArchiveTestSupport.h"
#include "CRarArchiveReader.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace archivetest;

namespace {

std::string Ansi(const wchar_t* name)
{
    std::wstring path = ArchivePath(name);
    char buffer[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

class RarReader : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::wstring folder = tesmir::test::BuildPath(L"tests\\preview\\archive\\unrar-double");
        ASSERT_NE(GetFileAttributesW((folder + L"\\unrar.dll").c_str()), INVALID_FILE_ATTRIBUTES);
        SetDllDirectoryW(folder.c_str());
    }
    void TearDown() override { SetDllDirectoryW(nullptr); }
};

std::string Narrow(const CString& s)
{
    return tesmir::test::Utf8((LPCWSTR)s);
}

} // namespace

TEST_F(RarReader, ListsHeadersWithTheirFlags)
{
    CRarArchiveReader r;
    ASSERT_TRUE(r.ListArchive(Ansi(L"flags.rar").c_str()));
    ASSERT_EQ(r.GetEntryCount(), 3u);
    struct { const char* name; ULONGLONG flags; ULONGLONG packed; DWORD attributes; } expected[] = {
        {"folder", 0x80E0, 0, 0x10}, {"file.txt", 0x80C0, 7, 0x20}, {"timed.txt", 0x90E0, 1, 0x20},
    };
    for (size_t i = 0; i < 3; ++i) {
        RarArchiveEntry e = r.GetEntry(i);
        EXPECT_EQ(Narrow(e.name), expected[i].name);
        EXPECT_EQ(e.flags, expected[i].flags);
        EXPECT_EQ(e.packedSize, expected[i].packed);
        EXPECT_EQ(e.unpackedSize, expected[i].packed);
        EXPECT_EQ(e.attributes, expected[i].attributes);
        // 2021-03-04 05:06:06 in MS-DOS form.
        EXPECT_EQ(e.fileTime, (41u << 25) | (3u << 21) | (4u << 16) | (5u << 11) | (6u << 5) | 3u);
    }
    try {
        r.GetEntry(3);
        ADD_FAILURE() << "no exception";
    } catch (const std::out_of_range& ex) {
        EXPECT_STREQ(ex.what(), "invalid vector<T> subscript");
    }
    // A second listing keeps only its own entries.
    ASSERT_TRUE(r.ListArchive(Ansi(L"empty.rar").c_str()));
    EXPECT_EQ(r.GetEntryCount(), 0u);
    EXPECT_THROW(r.GetEntry(0), std::out_of_range);
}

TEST_F(RarReader, SizesJoinTheirHighHalves)
{
    CRarArchiveReader r;
    ASSERT_TRUE(r.ListArchive(Ansi(L"large.rar").c_str()));
    ASSERT_EQ(r.GetEntryCount(), 1u);
    EXPECT_EQ(r.GetEntry(0).unpackedSize, 0x100000005ull);
    EXPECT_EQ(r.GetEntry(0).packedSize, 0u);
}

TEST_F(RarReader, DamageAfterTwoHeadersKeepsThem)
{
    CRarArchiveReader r;
    ASSERT_TRUE(r.ListArchive(Ansi(L"damaged.rar").c_str()));
    ASSERT_EQ(r.GetEntryCount(), 2u);
    EXPECT_EQ(Narrow(r.GetEntry(1).name), "two.txt");

    CRarArchiveReader other;
    EXPECT_FALSE(other.ListArchive(Ansi(L"notrar.rar").c_str()));
    EXPECT_EQ(Narrow(other.GetErrorText()), "Open Error: Failed to open RAR file");
    EXPECT_FALSE(other.ListArchive(Ansi(L"missing.rar").c_str()));
}

TEST(RarReaderWithoutLibrary, FailsEveryListing)
{
    SetDllDirectoryW(nullptr);
    CRarArchiveReader r;
    EXPECT_EQ(Narrow(r.GetErrorText()), "Load Error: unrar.dll could not be loaded");
    EXPECT_FALSE(r.ListArchive(Ansi(L"flags.rar").c_str()));
    EXPECT_EQ(r.GetEntryCount(), 0u);
}
