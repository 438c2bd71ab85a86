// Files and time values: CFile errors, CMemFile growth and attached buffers,
// CFileFind's one-ahead enumeration, CTime and COleDateTime conversions.
#include <afx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A fresh folder under the temporary directory, removed afterwards.
class TempFolder
{
public:
    TempFolder()
    {
        wchar_t szTemp[MAX_PATH];
        GetTempPathW(MAX_PATH, szTemp);
        m_path.Format(L"%smfccore_%lu_%lu", szTemp, GetCurrentProcessId(), GetTickCount());
        CreateDirectoryW(m_path, NULL);
    }
    ~TempFolder()
    {
        for (const CString& name : m_created)
        {
            DeleteFileW(name);
            RemoveDirectoryW(name);
        }
        RemoveDirectoryW(m_path);
    }
    CString Path(LPCTSTR name)
    {
        CString path = m_path + L"\\" + name;
        m_created.insert(m_created.begin(), path);
        return path;
    }
    const CString& Root() const { return m_path; }

private:
    CString m_path;
    std::vector<CString> m_created;
};

TEST(FileTest, OpenErrorsReportCauseAndThrowFromConstructor)
{
    TempFolder folder;
    CString missing = folder.Path(L"missing.bin");
    CFile file;
    CFileException e;
    EXPECT_FALSE(file.Open(missing, CFile::modeRead, &e));
    EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
    EXPECT_EQ((LONG)ERROR_FILE_NOT_FOUND, e.m_lOsError);

    int cause = -1;
    try
    {
        CFile thrower(missing, CFile::modeRead | CFile::shareDenyWrite);
    }
    catch (CFileException* pe)
    {
        cause = pe->m_cause;
        pe->Delete();
    }
    EXPECT_EQ(CFileException::fileNotFound, cause);
}

TEST(FileTest, WriteReadSeekAndKeepContent)
{
    TempFolder folder;
    CString path = folder.Path(L"data.bin");
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write("0123456789", 10);
        EXPECT_EQ(10u, file.GetLength());
    }
    {
        CFile file(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(10u, file.GetLength());
        EXPECT_EQ(7u, file.Seek(-3, CFile::end));
        char buf[8] = {};
        EXPECT_EQ(3u, file.Read(buf, 8));
        EXPECT_STREQ("789", buf);
        EXPECT_EQ(0u, file.Read(buf, 8));
        file.SeekToBegin();
        file.SetLength(4);
        EXPECT_EQ(4u, file.GetLength());
        EXPECT_STREQ(L"data.bin", file.GetFileName());
        EXPECT_STREQ(L"data", file.GetFileTitle());
    }
    CFileStatus status;
    EXPECT_TRUE(CFile::GetStatus(path, status));
    EXPECT_EQ(4u, status.m_size);
    EXPECT_GT(status.m_mtime.GetTime(), 0);
}

// Exposes the buffer size of a memory file.
class CMemFileProbe : public CMemFile
{
public:
    using CMemFile::CMemFile;
    SIZE_T BufferSize() const { return m_nBufferSize; }
};

TEST(MemFileTest, GrowsInStepsAndZeroFillsGaps)
{
    CMemFileProbe file;   // 1024-byte steps
    file.Write("x", 1);
    EXPECT_EQ(1024u, file.BufferSize());
    std::vector<BYTE> block(1500, 0xAB);
    file.Write(block.data(), (UINT)block.size());
    EXPECT_EQ(2048u, file.BufferSize());
    EXPECT_EQ(1501u, file.GetLength());

    file.Seek(2000, CFile::begin);   // past the end
    file.Write("y", 1);
    EXPECT_EQ(2001u, file.GetLength());
    std::vector<BYTE> back(2001);
    file.SeekToBegin();
    EXPECT_EQ(2001u, file.Read(back.data(), 2001));
    EXPECT_EQ(0xAB, back[1500]);
    EXPECT_TRUE(std::all_of(back.begin() + 1501, back.begin() + 2000, [](BYTE b) { return b == 0; }));
    EXPECT_EQ('y', back[2000]);

    bool bThrown = false;
    try
    {
        file.Seek(-1, CFile::begin);
    }
    catch (CFileException* e)
    {
        bThrown = e->m_cause == CFileException::badSeek;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(MemFileTest, AttachedBufferIsFixedAndDetachable)
{
    BYTE data[4] = {1, 2, 3, 4};
    CMemFile file;
    file.Attach(data, sizeof(data));
    EXPECT_EQ(4u, file.GetLength());
    BYTE b[4];
    EXPECT_EQ(4u, file.Read(b, 4));
    EXPECT_EQ(0, memcmp(b, data, 4));
    file.SeekToBegin();
    file.Write("\x09", 1);
    EXPECT_EQ(9, data[0]);

    bool bThrown = false;
    try
    {
        file.Seek(0, CFile::end);
        file.Write("z", 1);   // no room and no growth
    }
    catch (CMemoryException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(data, file.Detach());
    EXPECT_EQ(0u, file.GetLength());
}

TEST(MemFileTest, SharedFileHandsOverItsGlobalBlock)
{
    CSharedFile file;
    file.Write("clipboard", 9);
    HGLOBAL hMem = file.Detach();
    ASSERT_NE((HGLOBAL)NULL, hMem);
    EXPECT_EQ(9u, GlobalSize(hMem));   // trimmed to the content
    EXPECT_EQ(0u, file.GetLength());

    CSharedFile reader;
    reader.SetHandle(hMem, FALSE);
    char buf[16] = {};
    EXPECT_EQ(9u, reader.Read(buf, sizeof(buf)));
    EXPECT_STREQ("clipboard", buf);
    bool bThrown = false;
    try
    {
        reader.Write("more", 4);   // growth not allowed
    }
    catch (CMemoryException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(StdioFileTest, TextModeReadsLinesWithoutTheirEnds)
{
    TempFolder folder;
    CString path = folder.Path(L"lines.txt");
    {
        const char text[] = "one\r\ntwo\n\nlast";
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write(text, sizeof(text) - 1);
    }
    CStdioFile file(path, CFile::modeRead | CFile::typeText);
    std::vector<std::wstring> lines;
    CString line;
    while (file.ReadString(line))
        lines.push_back((LPCTSTR)line);
    EXPECT_EQ((std::vector<std::wstring>{L"one", L"two", L"", L"last"}), lines);
}

TEST(FileFindTest, EnumeratesEveryEntryIncludingTheLast)
{
    TempFolder folder;
    for (LPCTSTR name : {L"a.txt", L"b.txt"})
    {
        CFile file(folder.Path(name), CFile::modeCreate | CFile::modeWrite);
        file.Write("abc", 3);
    }
    CreateDirectoryW(folder.Path(L"sub"), NULL);

    CFileFind finder;
    std::vector<std::wstring> files, dirs;
    int nDots = 0;
    BOOL bWorking = finder.FindFile(folder.Root() + L"\\*.*");
    ASSERT_TRUE(bWorking);
    while (bWorking)
    {
        bWorking = finder.FindNextFile();
        if (finder.IsDots())
            nDots++;
        else if (finder.IsDirectory())
            dirs.push_back((LPCTSTR)finder.GetFileName());
        else
        {
            files.push_back((LPCTSTR)finder.GetFileName());
            EXPECT_EQ(3u, finder.GetLength());
            EXPECT_STREQ(folder.Root() + L"\\" + finder.GetFileName(), finder.GetFilePath());
        }
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ((std::vector<std::wstring>{L"a.txt", L"b.txt"}), files);
    EXPECT_EQ((std::vector<std::wstring>{L"sub"}), dirs);
    EXPECT_EQ(2, nDots);
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_FALSE(finder.FindFile(folder.Root() + L"\\*.none"));
}

TEST(TimeTest, FormatAndInvalidTimes)
{
    CTime t(2021, 3, 4, 5, 6, 7);
    EXPECT_STREQ(L"2021-03-04 05:06:07", t.Format(L"%Y-%m-%d %H:%M:%S"));
    EXPECT_EQ(2021, t.GetYear());
    EXPECT_EQ(5, t.GetDayOfWeek());   // a Thursday
    SYSTEMTIME st;
    ASSERT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(7, st.wSecond);
    EXPECT_STREQ(L"03-04-2021_05.06.07", CTime(st).Format(L"%m-%d-%Y_%H.%M.%S"));

    // Outside what the time type can hold: an invalid time, formatted as "".
    FILETIME ftOld = {0, 0x00100000};   // in the 17th century
    EXPECT_STREQ(L"", CTime(ftOld).Format(L"%Y"));
    EXPECT_STREQ(L"", CTime(1969, 12, 31, 0, 0, 0).Format(L"%Y"));
    EXPECT_STREQ(L"", CTime(2021, 13, 1, 0, 0, 0).Format(L"%Y"));

    // A FILETIME round trip through local time.
    FILETIME ftLocal, ft;
    SystemTimeToFileTime(&st, &ftLocal);
    LocalFileTimeToFileTime(&ftLocal, &ft);
    EXPECT_EQ(t, CTime(ft));

    CTimeSpan span(1, 2, 3, 4);
    EXPECT_STREQ(L"1 02:03:04 %", span.Format(L"%D %H:%M:%S %%"));
    EXPECT_STREQ(L"x", span.Format(L"x%"));   // a lone '%' at the end
    EXPECT_EQ(CTime(2021, 3, 5, 7, 9, 11), t + span);
}

TEST(TimeTest, OleDatesConvertAndCompareAcrossZero)
{
    COleDateTime leap(2020, 2, 29, 12, 0, 0);
    EXPECT_EQ(COleDateTime::valid, leap.GetStatus());
    EXPECT_DOUBLE_EQ(43890.5, leap.m_dt);
    EXPECT_STREQ(L"02 29 20 12:00", leap.Format(L"%m %d %y %H:%M"));
    EXPECT_EQ(7, leap.GetDayOfWeek());   // a Saturday

    EXPECT_EQ(COleDateTime::invalid, COleDateTime(2021, 2, 29, 0, 0, 0).GetStatus());
    EXPECT_STREQ(L"Invalid DateTime", COleDateTime(2021, 2, 29, 0, 0, 0).Format(L"%Y"));

    // Before 30 December 1899 the time of day counts upwards from the day.
    COleDateTime morning(1899, 12, 29, 6, 0, 0);
    COleDateTime evening(1899, 12, 29, 18, 0, 0);
    EXPECT_DOUBLE_EQ(-1.25, morning.m_dt);
    EXPECT_DOUBLE_EQ(-1.75, evening.m_dt);
    EXPECT_TRUE(morning < evening);
    EXPECT_EQ(18, evening.GetHour());
    EXPECT_EQ(29, evening.GetDay());
    EXPECT_NEAR(0.5, (double)(evening - morning), 1e-9);
    COleDateTime later = morning + COleDateTimeSpan(1.0);
    EXPECT_EQ(1899, later.GetYear());
    EXPECT_EQ(30, later.GetDay());
    EXPECT_EQ(6, later.GetHour());

    VARIANT var;
    VariantInit(&var);
    var.vt = VT_DATE;
    var.date = 43890.5;
    EXPECT_TRUE(COleDateTime(var) == leap);

    const LCID lcidUS = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
    COleDateTime parsed;
    EXPECT_TRUE(parsed.ParseDateTime(L"2/29/2020 12:00:00", 0, lcidUS));
    EXPECT_TRUE(parsed == leap);
    EXPECT_FALSE(parsed.ParseDateTime(L"not a date", 0, lcidUS));
    EXPECT_EQ(COleDateTime::invalid, parsed.GetStatus());
}

}  // namespace
