// The document's picture list, its folder emptying and its database open
// without a database engine.
#include <gtest/gtest.h>

#include "CEx_StyleDoc.h"
#include "MessageRecorder.h"
#include "TestSupport.h"

namespace {

TEST(Document, ImageTypeByEnding)
{
    struct Case
    {
        const wchar_t* name;
        int type;
    };
    const Case cases[] = {
        {L"x.bmp", 1},  {L"x.GIF", 2},   {L"x.jpg", 3},  {L"x.jpeg", 3}, {L"x.pjpeg", 3}, {L"x.png", 4},
        {L"x.ico", 5},  {L"x.tif", 6},   {L"x.tiff", 6}, {L"x.tga", 7},  {L"x.pcx", 8},   {L"x.WBMP", 9},
        {L"x.wmf", 10}, {L"x.emf", 10},  {L"x.j2k", 11}, {L"x.jp2", 11}, {L"x.j2c", 12},  {L"x.jpc", 12},
        {L"x.pgx", 13}, {L"x.pnm", 14},  {L"x.pgm", 14}, {L"x.ppm", 14}, {L"x.ras", 15},  {L"x.txt", 0},
        {L"bmp", 1},    {L"mp", 0},      {L"", 0},       {L"x.bmp.txt", 0}, {L"xbmp", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.type, CEx_StyleDoc::GetImageType(c.name)) << tesmir::test::Utf8(c.name);
}

class DocumentFolder : public testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"tesmir-doc-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(m_folder.c_str(), NULL);
        for (const wchar_t* name : {L"B.PNG", L"a.jpg", L"notes.txt", L"c.tiff"})
            Touch(name);
        ::CreateDirectoryW((m_folder + L"\\sub.jpg").c_str(), NULL);
    }
    void TearDown() override
    {
        ::RemoveDirectoryW((m_folder + L"\\sub.jpg").c_str());
        m_doc.DeleteFolderFiles(m_folder.c_str());
        ::RemoveDirectoryW(m_folder.c_str());
    }
    void Touch(const wchar_t* name)
    {
        HANDLE h = ::CreateFileW((m_folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ::CloseHandle(h);
    }

    CEx_StyleDoc m_doc;
    std::wstring m_folder;
};

TEST_F(DocumentFolder, ListsPicturesLowerCasedAndSorted)
{
    m_doc.ListImageFiles(m_folder.c_str());
    ASSERT_EQ(3, m_doc.m_vecImageFiles.GetSize());
    EXPECT_EQ(CString(L"a.jpg"), m_doc.m_vecImageFiles[0]);
    EXPECT_EQ(CString(L"b.png"), m_doc.m_vecImageFiles[1]);
    EXPECT_EQ(CString(L"c.tiff"), m_doc.m_vecImageFiles[2]);
    EXPECT_EQ(-1, m_doc.m_nCurrentImage);
    EXPECT_EQ(CString(m_folder.c_str()), m_doc.m_strFolder);

    m_doc.LoadImageAt(1);
    EXPECT_EQ(1, m_doc.m_nCurrentImage);
    EXPECT_NE(nullptr, m_doc.m_pImage);
    CxImage* pImage = m_doc.m_pImage;
    m_doc.LoadImageAt(1);   // the current index: not reloaded
    EXPECT_EQ(pImage, m_doc.m_pImage);
    m_doc.LoadImageAt(7);   // past the end: no picture
    EXPECT_EQ(nullptr, m_doc.m_pImage);

    m_doc.ListImageFiles((m_folder + L"\\missing").c_str());
    EXPECT_EQ(0, m_doc.m_vecImageFiles.GetSize());
}

TEST_F(DocumentFolder, DeleteFolderFilesRemovesFilesOnly)
{
    m_doc.DeleteFolderFiles(m_folder.c_str());
    WIN32_FIND_DATAW data;
    int left = 0;
    HANDLE find = ::FindFirstFileW((m_folder + L"\\*").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    do {
        if (wcscmp(data.cFileName, L".") && wcscmp(data.cFileName, L".."))
            ++left;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    EXPECT_EQ(1, left);   // the folder "sub.jpg"
}

TEST(Document, SortNamesByCodeUnit)
{
    const wchar_t* names[] = {L"m", L"b", L"Z", L"a", L"m", L"y", L"_", L"c", L"b", L"aa"};
    CArray<CString, CString&> array;
    for (const wchar_t* n : names) {
        CString s(n);
        array.Add(s);
    }
    CString temp;
    CEx_StyleDoc::SortNames(array, 0, (int)array.GetSize() - 1, temp);
    for (int i = 1; i < array.GetSize(); ++i)
        EXPECT_LE(wcscmp(array[i - 1], array[i]), 0) << i;
    EXPECT_EQ(CString(L"Z"), array[0]);
    EXPECT_EQ(CString(L"y"), array[9]);
}

// Without a database engine the open is reported and fails; nothing
// changes.
TEST(Document, OpenDatabaseWithoutEngineReportsAndFails)
{
    CMessageRecorder recorder;
    CEx_StyleDoc doc;
    EXPECT_EQ(0, doc.OpenDatabase(L"C:\\nowhere\\x.mdb"));
    EXPECT_EQ(nullptr, doc.m_pDatabase);
    ASSERT_EQ(1u, recorder.messages().size());
    EXPECT_EQ(MessageKindError, recorder.messages()[0].kind);
    EXPECT_FALSE(recorder.messages()[0].text.empty());
    doc.RefreshDatabaseViews();   // nothing without a database
}

}  // namespace
