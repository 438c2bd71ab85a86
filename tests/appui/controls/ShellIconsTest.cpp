// Shell icons and type names for names that need not exist on disk.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxcmn.h>

#include "CShellIcons.h"

#include <string>

namespace {

// A file that exists, in the temporary folder; removed with the object.
class CTempFile
{
public:
    explicit CTempFile(LPCTSTR lpszName)
    {
        TCHAR szDir[MAX_PATH];
        ::GetTempPath(MAX_PATH, szDir);
        m_strPath = CString(szDir) + lpszName;
        HANDLE h = ::CreateFile(m_strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    }
    ~CTempFile() { ::DeleteFile(m_strPath); }
    CString m_strPath;
};

TEST(ShellIcons, SystemImageListsAreTheShellsAndSurviveDetaching)
{
    CShellIcons icons;
    for (BOOL bSmall : {TRUE, FALSE})
    {
        HIMAGELIST hList = icons.GetSystemImageList(bSmall);
        ASSERT_NE((HIMAGELIST)NULL, hList) << bSmall;
        // The same list every time: the shell owns it.
        EXPECT_EQ(hList, icons.GetSystemImageList(bSmall));
        CImageList list;
        ASSERT_TRUE(list.Attach(hList));
        EXPECT_GT(list.GetImageCount(), 0);
        list.Detach();
        EXPECT_GT(ImageList_GetImageCount(hList), 0) << "the list was destroyed";
    }
    int cxSmall = 0, cySmall = 0, cxLarge = 0, cyLarge = 0;
    ImageList_GetIconSize(icons.GetSystemImageList(TRUE), &cxSmall, &cySmall);
    ImageList_GetIconSize(icons.GetSystemImageList(FALSE), &cxLarge, &cyLarge);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSMICON), cxSmall);
    EXPECT_LT(cxSmall, cxLarge);
}

TEST(ShellIcons, IconIndexDependsOnlyOnTheExtension)
{
    CShellIcons icons;
    CTempFile existing(_T("appui icon probe.txt"));
    const struct
    {
        LPCTSTR lpszFirst;
        LPCTSTR lpszSecond;
    } cases[] = {
        { _T("a.txt"), (LPCTSTR)existing.m_strPath },
        { _T("report.TXT"), _T("Z:\\no\\such\\folder\\notes.txt") },
        { _T("photo.jpg"), _T("C:\\missing\\holiday.JPG") },
        { _T("archive.zip"), _T("x.zip") },
        { _T("setup.exe"), _T("other.exe") },
    };
    for (const auto& c : cases)
    {
        for (BOOL bSmall : {TRUE, FALSE})
        {
            int nFirst = icons.GetFileIconIndex(c.lpszFirst, bSmall);
            int nSecond = icons.GetFileIconIndex(c.lpszSecond, bSmall);
            EXPECT_GE(nFirst, 0) << c.lpszFirst;
            EXPECT_LT(nFirst, ImageList_GetImageCount(icons.GetSystemImageList(bSmall)));
            EXPECT_EQ(nFirst, nSecond) << c.lpszFirst << " / " << c.lpszSecond;
        }
    }
    int nFolder = icons.GetFolderIconIndex(TRUE);
    EXPECT_GE(nFolder, 0);
    EXPECT_LT(nFolder, ImageList_GetImageCount(icons.GetSystemImageList(TRUE)));
    EXPECT_NE(nFolder, icons.GetFileIconIndex(_T("a.txt"), TRUE));
    EXPECT_EQ(nFolder, icons.GetFolderIconIndex(TRUE));
}

TEST(ShellIcons, TypeNames)
{
    CShellIcons icons;
    CString strText = icons.GetFileTypeName(_T("notes.txt"));
    EXPECT_FALSE(strText.IsEmpty());
    EXPECT_STREQ((LPCTSTR)strText, (LPCTSTR)icons.GetFileTypeName(_T("Z:\\no\\such\\folder\\other.txt")));
    // Names without an extension all get the shell's generic file type.
    CString strPlain = icons.GetFileTypeName(_T("README"));
    EXPECT_FALSE(strPlain.IsEmpty());
    EXPECT_STREQ((LPCTSTR)strPlain, (LPCTSTR)icons.GetFileTypeName(_T("C:\\missing\\Makefile")));
    EXPECT_STRNE((LPCTSTR)strText, (LPCTSTR)strPlain);
    EXPECT_STRNE((LPCTSTR)strText, (LPCTSTR)icons.GetFileTypeName(_T("x.zip")));
}

}  // namespace
