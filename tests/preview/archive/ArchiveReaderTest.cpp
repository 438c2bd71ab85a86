// The gzip stream and the archive reader over zip, gzip, tar and damaged tars.
#include "ArchiveTestSupport.h"
#include "CArchiveReader.h"
#include "TarArchive.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace archivetest;

namespace {

// Everything GetFile hands out, with sentinels for what a kind leaves alone.
struct FileOut
{
    const BYTE* data = nullptr;
    DWORD size = 0xDEAD;
    int isFile = -1;
    CString name = L"untouched";
    CString type = L"untouched";
    FILETIME access = {}, creation = {}, modification = {};
    ULONGLONG tarTime = 0;

    int Get(CArchiveReader& r, int i)
    {
        return r.GetFile(i, &data, &size, &isFile, &name, &type, &access, &creation, &modification, &tarTime);
    }
    std::string Text() const { return data ? std::string((const char*)data, size) : std::string(); }
};

std::string Narrow(const CString& s)
{
    return tesmir::test::Utf8((LPCWSTR)s);
}

} // namespace

TEST(ArchiveReader, OpensEachKind)
{
    struct { const wchar_t* file; ArchiveType type; int count; } cases[] = {
        {L"basic.zip", ZIP_ARCHIVE, 3},
        {L"three.tar.gz", TAR_GZIP_ARCHIVE, 3},
        {L"text.gz", GZIP_ARCHIVE, 1},
        {L"plain.txt", GZIP_ARCHIVE, 1},
    };
    for (const auto& c : cases) {
        CArchiveReader r;
        ASSERT_EQ(r.Open(ArchivePath(c.file).c_str()), 1) << tesmir::test::Utf8(c.file);
        EXPECT_EQ(r.GetType(), c.type);
        EXPECT_EQ(r.GetFileCount(), c.count);
    }
    CArchiveReader plain;
    ASSERT_EQ(plain.Open(ArchivePath(L"plain.txt").c_str()), 1);
    FileOut f;
    ASSERT_EQ(f.Get(plain, 0), 1);
    EXPECT_EQ(f.Text(), tesmir::test::ReadWholeFile(ArchivePath(L"plain.txt")));
    EXPECT_EQ(Narrow(f.name), "unknown");
    EXPECT_EQ(f.isFile, 1);
}

TEST(ArchiveReader, Failures)
{
    CArchiveReader empty;
    EXPECT_EQ(empty.Open(ArchivePath(L"empty.gz").c_str()), 0);
    EXPECT_EQ(Narrow(empty.GetErrorText()), "Could not read data from gzip archive !");
    CArchiveReader missing;
    EXPECT_EQ(missing.Open(ArchivePath(L"missing.gz").c_str()), 0);
    EXPECT_EQ(Narrow(missing.GetErrorText()), "Could not determine archive type !");
    CArchiveReader unopened;
    FileOut f;
    EXPECT_EQ(unopened.GetFileCount(), -1);
    EXPECT_EQ(Narrow(unopened.GetErrorText()), "Archive not opened");
    EXPECT_EQ(f.Get(unopened, 0), 0);
    unopened.CloseArchive();
    EXPECT_TRUE(unopened.GetErrorText().IsEmpty());
}

TEST(ArchiveReader, TarMembers)
{
    CArchiveReader r;
    ASSERT_EQ(r.Open(ArchivePath(L"three.tar.gz").c_str()), 1);
    ASSERT_EQ(r.GetFileCount(), 3);
    FileOut f;
    ASSERT_EQ(f.Get(r, 1), 1);
    EXPECT_EQ(Narrow(f.name), "two.txt");
    EXPECT_EQ(f.size, 700u);
    EXPECT_EQ(Narrow(f.type), "regular file");
    EXPECT_EQ(f.tarTime, 1500000000u);
    EXPECT_EQ(f.Get(r, 3), 0);
    EXPECT_TRUE(r.GetErrorText().IsEmpty());

    CArchiveReader tiny;
    ASSERT_EQ(tiny.Open(ArchivePath(L"onebyte.tar.gz").c_str()), 1);
    FileOut a, b;
    ASSERT_EQ(a.Get(tiny, 0), 1);
    EXPECT_EQ(a.Text(), "x");
    ASSERT_EQ(b.Get(tiny, 1), 1);
    // One header, one block of data: the next header is 1024 bytes on.
    EXPECT_EQ(b.data - a.data, 1024);
    EXPECT_EQ(b.Text(), "after the tiny one\n");

    CArchiveReader folder;
    ASSERT_EQ(folder.Open(ArchivePath(L"folder.tar.gz").c_str()), 1);
    FileOut d;
    ASSERT_EQ(d.Get(folder, 0), 1);
    EXPECT_EQ(d.isFile, 0);
    EXPECT_EQ(Narrow(d.type), "directory");
}

TEST(ArchiveReader, LyingTarSizesStayInsideTheData)
{
    // Sizes past the data, octal 77777777777 and a cut archive: the member
    // fails, the ones before it stay, nothing is read beyond the data.
    struct { const wchar_t* file; int count; } cases[] = {
        {L"size-past.tar.gz", 1}, {L"size-huge.tar.gz", 1}, {L"size-huge-first.tar.gz", 0}, {L"cut.tar.gz", 1},
    };
    for (const auto& c : cases) {
        CArchiveReader r;
        ASSERT_EQ(r.Open(ArchivePath(c.file).c_str()), 1);
        EXPECT_EQ(r.GetFileCount(), c.count) << tesmir::test::Utf8(c.file);
        FileOut f;
        EXPECT_EQ(f.Get(r, c.count), 0);
        EXPECT_EQ(f.Get(r, c.count + 1), 0);
        EXPECT_EQ(Narrow(r.GetErrorText()), "Invalid file position !");
    }
    // The octal parser saturates instead of wrapping.
    const unsigned char huge[] = "77777777777777777777777777";
    EXPECT_EQ(ParseOctalField(huge, 26), UINT64_MAX);
    const unsigned char spaced[] = "   17 9";
    EXPECT_EQ(ParseOctalField(spaced, 7), 15u);
    EXPECT_FALSE(TarHeaderChecksumOk(spaced, 7));
}

TEST(ArchiveReader, ZipEntries)
{
    CArchiveReader r;
    ASSERT_EQ(r.Open(ArchivePath(L"basic.zip").c_str()), 1);
    FileOut f;
    ASSERT_EQ(f.Get(r, 2), 1);
    EXPECT_EQ(f.Text(), "0123456789");
    EXPECT_EQ(f.data[10], 0);
    EXPECT_EQ(Narrow(f.name), "b.txt");
    EXPECT_EQ(f.isFile, 1);
    EXPECT_EQ(Narrow(f.type), "FILE_ATTRIBUTE_ARCHIVE");
    EXPECT_NE(Ticks(f.modification), 0u);
    FileOut d;
    ASSERT_EQ(d.Get(r, 0), 1);
    EXPECT_EQ(d.size, 0u);
    EXPECT_EQ(d.data[0], 0);
    EXPECT_EQ(Narrow(d.type), "FILE_ATTRIBUTE_DIRECTORY");
    EXPECT_EQ(f.Get(r, 3), 0);
    EXPECT_EQ(Narrow(r.GetErrorText()), "Could not get file at the specified position from the archive !");
}

TEST(GzipStream, WriteAndReadBack)
{
    std::wstring path = tesmir::test::BuildPath(L"gzip-stream.gz");
    CGzipStream out;
    ASSERT_TRUE(out.Open(path.c_str(), 1));
    EXPECT_FALSE(out.Open(path.c_str(), 1));
    EXPECT_TRUE(out.WriteString(L"AB"));
    EXPECT_TRUE(out.Write("cd", 2));
    EXPECT_EQ(out.Read(nullptr, 0), 0);
    EXPECT_TRUE(out.Close());
    EXPECT_FALSE(out.Close());

    CGzipStream in;
    ASSERT_TRUE(in.Open(path.c_str(), 2));
    EXPECT_FALSE(in.Write("x", 1));
    BYTE* data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(in.ReadAll(&data, &size));
    EXPECT_EQ(std::string((char*)data, size), std::string("A\0B\0cd", 6));
    delete[] data;
    EXPECT_FALSE(in.Open(L"Z:\\no\\such\\file.gz", 2));
}
