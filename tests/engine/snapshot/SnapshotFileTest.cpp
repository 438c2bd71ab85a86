// The snapshot layout byte by byte, from snapshots built here by hand from
// the layout (not by the writer), and every way a damaged or hostile file
// is refused: cut short at every byte, lengths and counts that do not fit,
// wrong tag or version, strings without their NUL, unusable parameters.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "MessageRecorder.h"
#include "SnapshotTestSupport.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "snapshot/SnapshotCommands.h"
#include "snapshot/SnapshotFile.h"
#include "state/EngineState.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"

namespace {

// The one-folder FAT snapshot: a folder "A" and no files.
CSnapshotBytes OneFolderFat()
{
    CSnapshotBytes s;
    s.Header('D', FileSystemFat32).Mark("folder count").U32(1);
    s.Mark("folder length").U16(19).Mark("folder name").Wide(L"A", 0);
    s.U32(3).U32(0).U16(0x5021).U16(0x5022).U8(1).U16(0);
    s.Mark("file count").U32(0).Trailer();
    return s;
}

CSnapshotBytes FatWithFile()
{
    CSnapshotBytes s;
    s.Header('D', FileSystemFat32).U32(0);
    s.Mark("file count").U32(1).Mark("file length").U16(2 * 5 + 25).Mark("file name").Wide(L"x.txt", 2);
    s.U32(7).U32(0).U16(0x5021).U16(0x5022).U32(1234).U8(0).U32(99);
    s.Trailer();
    return s;
}

CSnapshotBytes NtfsQuick()
{
    CSnapshotBytes s;
    s.Header('D', FileSystemNtfs, 8).Mark("folder count").U32(1);
    s.Mark("folder length").U16(2 * 3 + 31).Wide(L"Dir", 2).U32(40).U32(5).U64(1111).U64(2222).U8(0).U16(0);
    s.Mark("file count").U32(1).Mark("file length").U16(2 * 5 + 41).U32(300000).Mark("file name").Wide(L"f.txt", 2);
    s.U32(41).U32(40).U64(3333).U64(4444).U8(1).U64(5555);
    s.Trailer();
    return s;
}

CSnapshotBytes TraceSnapshot()
{
    CSnapshotBytes s;
    s.Header('R', FileSystemFat32).Mark("signature count").U32(1);
    s.Mark("extension length").U16(2 * 4 + 17).Wide(L".jpg", 0);
    s.Mark("description length").U16(2 * 10 + 17).Wide(L"JPEG Image", 0);
    s.Mark("signature length").U16(2 * 6 + 17).Mark("signature text");
    for (char c : std::string("FFD8FF"))
        s.U8(c);
    for (int i = 0; i < 8; ++i)   // its NUL and c + 1 bytes
        s.U8(0);
    s.U32(3).U32(0);
    s.Mark("hit count").U32(1);
    s.Mark("hit extension length").U16(2 * 4 + 25).Wide(L".jpg", 2);
    s.Mark("hit name length").U16(2 * 5 + 25).Wide(L"1.jpg", 2);
    s.Mark("hit description length").U16(2 * 10 + 25).Wide(L"JPEG Image", 2);
    s.U32(1).U32(100);
    s.Trailer();
    return s;
}

class SnapshotFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreeAllResultLists();
        m_path = TempSnapshotPath(L"tesmir-snapshot-file.xwqz");
    }
    void TearDown() override
    {
        SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(m_path.c_str());
        FreeAllResultLists();
    }
    SnapshotReadResult Read(const std::vector<unsigned char>& bytes)
    {
        EXPECT_TRUE(WriteBytes(m_path, bytes));
        return ReadSnapshotFile(m_path.c_str(), nullptr);
    }

    std::wstring m_path;
};

TEST_F(SnapshotFileTest, OneFolderFatSnapshotHasTheLayoutsSizeAndLoads)
{
    CSnapshotBytes s = OneFolderFat();
    ASSERT_EQ(80u + 4 + (2 + 19) + 4 + 4, s.b.size());
    g_DiskIndex = 7;
    g_SourceType = 3;
    ASSERT_EQ(SnapshotRead, Read(s.b));
    ASSERT_EQ(1u, g_FatFolders.count);
    EXPECT_STREQ(L"A", g_FatFolders.head->name);
    EXPECT_EQ(3u, g_FatFolders.head->cluster);
    EXPECT_EQ(0x5021u, g_FatFolders.head->modifiedDate);
    EXPECT_EQ(0x5022u, g_FatFolders.head->accessDate);
    EXPECT_EQ(1u, g_FatFolders.head->deleted);
    EXPECT_EQ(0u, g_FatFiles.count);
    EXPECT_EQ(1u, g_FolderCount);
    EXPECT_EQ(0u, g_DiskIndex);
    EXPECT_EQ(1u, g_SourceType);
    EXPECT_EQ(278528u, VolumeParams.sectorCount);
    EXPECT_EQ(2080u, VolumeParams.fat1Start);

    // The writer gives back the very same bytes.
    std::vector<unsigned char> written;
    ASSERT_TRUE(BuildSnapshot(L'D', written));
    EXPECT_EQ(s.b, written);
}

TEST_F(SnapshotFileTest, HandBuiltSnapshotsOfEveryKindLoadAndWriteBackTheSameBytes)
{
    struct Case
    {
        const char* name;
        CSnapshotBytes bytes;
        wchar_t letter;
        std::vector<std::string> lists;
    } cases[] = {
        {"FAT file", FatWithFile(), L'D', {"fatfile x.txt|7|0|20513|20514|1234|0|0"}},
        {"NTFS", NtfsQuick(), L'D',
         {"ntfsdir Dir|40|5|1111|2222|0", "ntfsfile 300000|f.txt|41|40|3333|4444|1|5555"}},
        {"File Trace", TraceSnapshot(), L'R', {"sig .jpg|JPEG Image|3|FFD8FF|0", "hit 1.jpg|.jpg|JPEG Image|100|1"}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_ScanMode = c.letter == L'R' ? ScanModeFileTrace : ScanModeQuick;
        ASSERT_EQ(SnapshotRead, Read(c.bytes.b));
        EXPECT_EQ(c.lists, DumpSnapshotLists(c.letter));
        std::vector<unsigned char> written;
        ASSERT_TRUE(BuildSnapshot(c.letter, written));
        if (c.letter == L'D' && VolumeParams.fileSystemType != FileSystemNtfs) {
            // Files are numbered afresh on loading: the stored 99 became 0.
            c.bytes.b[c.bytes.b.size() - 8] = 0;
        }
        EXPECT_EQ(c.bytes.b, written);
    }
    EXPECT_EQ(1u, g_SignatureCount);
}

// Three files of three records numbered 5, 9, 2 load as 0, 1, 2.
TEST_F(SnapshotFileTest, LoadedFatFilesAreNumberedAfresh)
{
    CSnapshotBytes s;
    s.Header('D', FileSystemFat16).U32(0).U32(3);
    for (uint32_t number : {5u, 9u, 2u})
        s.U16(2 + 25).Wide(L"f", 2).U32(3).U32(0).U16(0).U16(0).U32(1).U8(0).U32(number);
    s.Trailer();
    ASSERT_EQ(SnapshotRead, Read(s.b));
    std::vector<uint32_t> numbers;
    for (FatFileRecord* f = g_FatFiles.head; f; f = f->next)
        numbers.push_back(f->fileNumber);
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2}), numbers);
    EXPECT_EQ(3u, g_FileCount);
}

TEST_F(SnapshotFileTest, SnapshotWithoutFileSystemIsHeaderAndTrailerAndLoadsEmpty)
{
    CSnapshotBytes s;
    s.Header('D', 0).Trailer();
    ASSERT_EQ(84u, s.b.size());
    ASSERT_EQ(SnapshotRead, Read(s.b));
    EXPECT_TRUE(AllListsEmpty());
}

// Every prefix of a valid file is refused and leaves nothing behind.
TEST_F(SnapshotFileTest, FilesCutShortAtEveryByteAreRefused)
{
    for (const CSnapshotBytes& s : {OneFolderFat(), FatWithFile(), NtfsQuick(), TraceSnapshot()}) {
        for (size_t size = 0; size < s.b.size(); ++size) {
            SCOPED_TRACE(size);
            SnapshotReadResult r = Read(std::vector<unsigned char>(s.b.begin(), s.b.begin() + size));
            EXPECT_NE(SnapshotRead, r);
            EXPECT_TRUE(AllListsEmpty());
        }
    }
}

TEST_F(SnapshotFileTest, DamagedFieldsAreRefused)
{
    struct Case
    {
        const char* name;
        CSnapshotBytes (*base)();
        const char* field;
        size_t width;       // 1, 2 or 4 bytes
        uint32_t value;
        SnapshotReadResult expected;
        size_t skip = 0;    // bytes after the field's mark
    } cases[] = {
        {"version first byte", OneFolderFat, "version", 1, 'X', SnapshotVersionError},
        {"version 2.0", OneFolderFat, "version", 1, '2', SnapshotVersionError},
        {"cluster size 0", OneFolderFat, "spc", 4, 0, SnapshotDamaged},
        {"cluster size 3", OneFolderFat, "spc", 4, 3, SnapshotDamaged},
        {"cluster size 256", OneFolderFat, "spc", 4, 256, SnapshotDamaged},
        {"folder count huge", OneFolderFat, "folder count", 4, 0xFFFFFFFF, SnapshotDamaged},
        {"folder count one too many", OneFolderFat, "folder count", 4, 2, SnapshotDamaged},
        {"folder count one too few", OneFolderFat, "folder count", 4, 0, SnapshotDamaged},
        {"folder length 0", OneFolderFat, "folder length", 2, 0, SnapshotDamaged},
        {"folder length below its fields", OneFolderFat, "folder length", 2, 14, SnapshotDamaged},
        {"folder length without NUL room", OneFolderFat, "folder length", 2, 16, SnapshotDamaged},
        {"folder length odd name bytes", OneFolderFat, "folder length", 2, 18, SnapshotDamaged},
        {"folder length too long", OneFolderFat, "folder length", 2, 21, SnapshotDamaged},
        {"folder length huge", OneFolderFat, "folder length", 2, 0xFFFF, SnapshotDamaged},
        {"folder name without NUL", OneFolderFat, "folder name", 4, 0x00420041, SnapshotDamaged},
        {"file count huge", OneFolderFat, "file count", 4, 0x7FFFFFFF, SnapshotDamaged},
        {"file length below its fields", FatWithFile, "file length", 2, 20, SnapshotDamaged},
        {"file length short of its 2 extra bytes", FatWithFile, "file length", 2, 23, SnapshotDamaged},
        {"file length too long", FatWithFile, "file length", 2, 37, SnapshotDamaged},
        {"NTFS folder count huge", NtfsQuick, "folder count", 4, 0x10000000, SnapshotDamaged},
        {"NTFS folder length short", NtfsQuick, "folder length", 2, 30, SnapshotDamaged},
        {"NTFS folder length long", NtfsQuick, "folder length", 2, 2 * 3 + 33, SnapshotDamaged},
        {"NTFS file count huge", NtfsQuick, "file count", 4, 0xFFFFFFFF, SnapshotDamaged},
        {"NTFS file length below its fields", NtfsQuick, "file length", 2, 36, SnapshotDamaged},
        {"NTFS file length short", NtfsQuick, "file length", 2, 2 * 5 + 39, SnapshotDamaged},
        {"NTFS file length long", NtfsQuick, "file length", 2, 2 * 5 + 43, SnapshotDamaged},
        {"NTFS file name without NUL", NtfsQuick, "file name", 4, 0x005A005A, SnapshotDamaged, 10},
        {"signature count huge", TraceSnapshot, "signature count", 4, 0xFFFFFFF0, SnapshotDamaged},
        {"extension length below its fields", TraceSnapshot, "extension length", 2, 0, SnapshotDamaged},
        {"extension length odd", TraceSnapshot, "extension length", 2, 2 * 4 + 16, SnapshotDamaged},
        {"description length too long", TraceSnapshot, "description length", 2, 0xFFF0, SnapshotDamaged},
        {"signature length short", TraceSnapshot, "signature length", 2, 16, SnapshotDamaged},
        {"signature text without NUL", TraceSnapshot, "signature length", 2, 2 * 2 + 17, SnapshotDamaged},
        {"hit count huge", TraceSnapshot, "hit count", 4, 0x40000000, SnapshotDamaged},
        {"hit extension length short", TraceSnapshot, "hit extension length", 2, 2 * 4 + 23, SnapshotDamaged},
        {"hit name length below its fields", TraceSnapshot, "hit name length", 2, 20, SnapshotDamaged},
        {"hit description length long", TraceSnapshot, "hit description length", 2, 2 * 10 + 27, SnapshotDamaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSnapshotBytes s = c.base();
        ASSERT_TRUE(s.at.count(c.field));
        for (size_t i = 0; i < c.width; ++i)
            s.b[s.at[c.field] + c.skip + i] = (unsigned char)(c.value >> (8 * i));
        EXPECT_EQ(c.expected, Read(s.b));
        EXPECT_TRUE(AllListsEmpty());
    }

    // A wrong tag, and one byte more than the trailer.
    CSnapshotBytes s = OneFolderFat();
    s.b[3] = 'X';
    EXPECT_EQ(SnapshotTagError, Read(s.b));
    s = OneFolderFat();
    s.b.push_back(0);
    EXPECT_EQ(SnapshotDamaged, Read(s.b));
    EXPECT_TRUE(AllListsEmpty());
}

// A refused file leaves the loaded parameters and source as they were.
TEST_F(SnapshotFileTest, RefusedFileKeepsTheParameters)
{
    VolumeParams = VolumeParamsRecord();
    VolumeParams.startSector = 77;
    g_SourceType = SourceVirtualDisk;
    std::vector<unsigned char> b = OneFolderFat().b;
    b.pop_back();
    EXPECT_EQ(SnapshotDamaged, Read(b));
    EXPECT_EQ(77u, VolumeParams.startSector);
    EXPECT_EQ(SourceVirtualDisk, g_SourceType);
}

TEST_F(SnapshotFileTest, ReadOnlySnapshotLoadsAndLockedOneIsRefused)
{
    ASSERT_TRUE(WriteBytes(m_path, OneFolderFat().b));
    ASSERT_TRUE(SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(SnapshotRead, ReadSnapshotFile(m_path.c_str(), nullptr));
    EXPECT_EQ(1u, g_FatFolders.count);

    HANDLE lock = CreateFileW(m_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(SnapshotOpenError, ReadSnapshotFile(m_path.c_str(), nullptr));
    EXPECT_TRUE(AllListsEmpty());
    EXPECT_STREQ(L"Unable to open the file.", SnapshotReadMessage(SnapshotOpenError));
    CloseHandle(lock);
}

}  // namespace
