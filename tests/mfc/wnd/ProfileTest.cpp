// Profile functions against the registry (Wine's real one), with the
// framework's layout and deletion rules, and the recent-file list.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxadv.h>

#include "WndTestSupport.h"

#include <shlwapi.h>

using namespace mfcwnd_test;

namespace {

const TCHAR kCompany[] = _T("Tesmir Window Tests");
const TCHAR kApp[] = _T("Profile App");

bool KeyExists(LPCTSTR lpszPath)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, lpszPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

bool ReadDword(LPCTSTR lpszPath, LPCTSTR lpszValue, DWORD& dw)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, lpszPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD cb = sizeof(dw);
    DWORD dwType = 0;
    LONG lResult = ::RegQueryValueEx(hKey, lpszValue, NULL, &dwType, (LPBYTE)&dw, &cb);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && dwType == REG_DWORD;
}

class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SHDeleteKey(HKEY_CURRENT_USER, _T("Software\\Tesmir Window Tests"));
        m_app.SetRegistryKey(kCompany);
    }
    void TearDown() override { ::SHDeleteKey(HKEY_CURRENT_USER, _T("Software\\Tesmir Window Tests")); }
    CScopedApp m_app{ kApp };
};

TEST_F(ProfileTest, RegistryKeyNamesTheProfile)
{
    EXPECT_STREQ(kCompany, m_app.m_pszRegistryKey);
    EXPECT_STREQ(kApp, m_app.m_pszProfileName);
    EXPECT_STREQ(kApp, AfxGetAppName());
}

TEST_F(ProfileTest, ValuesRoundTripUnderSoftwareCompanyApp)
{
    EXPECT_TRUE(m_app.WriteProfileInt(_T("Settings"), _T("Count"), -7));
    EXPECT_EQ((UINT)-7, m_app.GetProfileInt(_T("Settings"), _T("Count"), 0));
    DWORD dw = 0;
    ASSERT_TRUE(ReadDword(_T("Software\\Tesmir Window Tests\\Profile App\\Settings"), _T("Count"), dw));
    EXPECT_EQ((DWORD)-7, dw);

    EXPECT_TRUE(m_app.WriteProfileString(_T("Settings"), _T("Name"), _T("value \x00e9")));
    EXPECT_STREQ(_T("value \x00e9"), (LPCTSTR)m_app.GetProfileString(_T("Settings"), _T("Name")));
    EXPECT_STREQ(_T(""), (LPCTSTR)m_app.GetProfileString(_T("Settings"), _T("Empty")));
    EXPECT_TRUE(m_app.WriteProfileString(_T("Settings"), _T("Empty"), _T("")));
    EXPECT_STREQ(_T(""), (LPCTSTR)m_app.GetProfileString(_T("Settings"), _T("Empty"), _T("default")));

    BYTE data[] = { 0, 1, 2, 0xFF, 0x80 };
    EXPECT_TRUE(m_app.WriteProfileBinary(_T("Settings"), _T("Blob"), data, sizeof(data)));
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(m_app.GetProfileBinary(_T("Settings"), _T("Blob"), &pData, &nBytes));
    ASSERT_EQ(sizeof(data), nBytes);
    EXPECT_EQ(0, memcmp(data, pData, nBytes));
    delete[] pData;
}

TEST_F(ProfileTest, MissingOrMistypedValuesGiveTheDefault)
{
    EXPECT_EQ(5u, m_app.GetProfileInt(_T("Nowhere"), _T("Count"), 5));
    EXPECT_STREQ(_T("def"), (LPCTSTR)m_app.GetProfileString(_T("Nowhere"), _T("Name"), _T("def")));
    m_app.WriteProfileString(_T("Settings"), _T("Text"), _T("12"));
    EXPECT_EQ(3u, m_app.GetProfileInt(_T("Settings"), _T("Text"), 3));   // a string is not a number
    LPBYTE pData = (LPBYTE)1;
    UINT nBytes = 9;
    EXPECT_FALSE(m_app.GetProfileBinary(_T("Settings"), _T("Text"), &pData, &nBytes));
    EXPECT_EQ(NULL, pData);
    EXPECT_EQ(0u, nBytes);
}

TEST_F(ProfileTest, SectionWithBackslashesIsNestedKeys)
{
    EXPECT_TRUE(m_app.WriteProfileInt(_T("splt\\init_v157"), _T("VertSplitPos"), 210));
    EXPECT_TRUE(KeyExists(_T("Software\\Tesmir Window Tests\\Profile App\\splt\\init_v157")));
    EXPECT_EQ(210u, m_app.GetProfileInt(_T("splt\\init_v157"), _T("VertSplitPos"), 0));
}

TEST_F(ProfileTest, NullValueDeletesTheEntryAndNullEntryTheSection)
{
    m_app.WriteProfileString(_T("Bars"), _T("A"), _T("1"));
    m_app.WriteProfileString(_T("Bars"), _T("B"), _T("2"));
    m_app.WriteProfileInt(_T("Bars\\Nested"), _T("C"), 3);

    EXPECT_TRUE(m_app.WriteProfileString(_T("Bars"), _T("A"), NULL));
    EXPECT_STREQ(_T("gone"), (LPCTSTR)m_app.GetProfileString(_T("Bars"), _T("A"), _T("gone")));
    EXPECT_STREQ(_T("2"), (LPCTSTR)m_app.GetProfileString(_T("Bars"), _T("B")));

    EXPECT_TRUE(m_app.WriteProfileString(_T("Bars"), NULL, NULL));
    EXPECT_FALSE(KeyExists(_T("Software\\Tesmir Window Tests\\Profile App\\Bars")));
    EXPECT_TRUE(KeyExists(_T("Software\\Tesmir Window Tests\\Profile App")));
    // Deleting what is not there is not an error.
    EXPECT_TRUE(m_app.WriteProfileString(_T("Bars"), NULL, NULL));
}

TEST_F(ProfileTest, RecentFileListKeepsMostRecentFirst)
{
    m_app.LoadStdProfileSettings(4);
    ASSERT_NE((CRecentFileList*)NULL, m_app.m_pRecentFileList);
    CRecentFileList& mru = *m_app.m_pRecentFileList;
    EXPECT_EQ(4, mru.GetSize());
    const TCHAR* files[] = { _T("C:\\data\\a.xwqz"), _T("C:\\data\\b.xwqz"), _T("C:\\data\\c.xwqz"),
                             _T("C:\\data\\d.xwqz"), _T("C:\\data\\e.xwqz") };
    for (const TCHAR* f : files)
        m_app.AddToRecentFileList(f);
    m_app.AddToRecentFileList(_T("c:\\DATA\\C.XWQZ"));   // already there: moves to the top
    EXPECT_STREQ(_T("c:\\DATA\\C.XWQZ"), (LPCTSTR)mru[0]);
    EXPECT_STREQ(_T("C:\\data\\e.xwqz"), (LPCTSTR)mru[1]);
    EXPECT_STREQ(_T("C:\\data\\d.xwqz"), (LPCTSTR)mru[2]);
    EXPECT_STREQ(_T("C:\\data\\b.xwqz"), (LPCTSTR)mru[3]);

    m_app.SaveStdProfileSettings();
    EXPECT_STREQ(_T("C:\\data\\e.xwqz"), (LPCTSTR)m_app.GetProfileString(_T("Recent File List"), _T("File2")));

    mru.Remove(0);
    mru.WriteList();
    EXPECT_STREQ(_T(""), (LPCTSTR)m_app.GetProfileString(_T("Recent File List"), _T("File4")));   // removed
    CRecentFileList reread(0, _T("Recent File List"), _T("File%d"), 4);
    reread.ReadList();
    EXPECT_STREQ(_T("C:\\data\\e.xwqz"), (LPCTSTR)reread[0]);
    EXPECT_STREQ(_T(""), (LPCTSTR)reread[3]);

    CString strName;
    EXPECT_TRUE(reread.GetDisplayName(strName, 0, _T("C:\\data\\"), 8));
    EXPECT_STREQ(_T("e.xwqz"), (LPCTSTR)strName);
    EXPECT_FALSE(reread.GetDisplayName(strName, 3, NULL, 0));
}

TEST(AbbreviateName, KeepsVolumeEllipsisAndName)
{
    struct Case
    {
        const TCHAR* path;
        int nMax;
        const TCHAR* expected;
    };
    const Case cases[] = {
        { _T("C:\\a\\b.txt"), 30, _T("C:\\a\\b.txt") },
        { _T("C:\\one\\two\\three\\file.txt"), 21, _T("C:\\...\\three\\file.txt") },
        { _T("C:\\one\\two\\three\\file.txt"), 20, _T("C:\\...\\file.txt") },
        { _T("C:\\one\\two\\three\\file.txt"), 15, _T("C:\\...\\file.txt") },
        { _T("C:\\one\\two\\three\\file.txt"), 10, _T("file.txt") },
    };
    for (const Case& c : cases)
    {
        TCHAR sz[MAX_PATH];
        lstrcpy(sz, c.path);
        AfxAbbreviateName(sz, c.nMax, TRUE);
        EXPECT_STREQ(c.expected, sz) << c.path << " " << c.nMax;
    }
}

}  // namespace
