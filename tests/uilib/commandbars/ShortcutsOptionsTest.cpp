// The shortcut manager's texts, rules, tables and saved copy, and the
// options' exchange with the registry and with archives, on the test
// application's own registry key.
#include <gtest/gtest.h>

#include "CommandBarsTestRes.h"
#include "CommandBarsTestSupport.h"
#include "CVZPAcceleratorManager.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPPropExchangeArchive.h"

#include <TestSupport.h>
#include <shlwapi.h>

#include <set>
#include <string>

using namespace vzcommandbars_test;

namespace {

const BYTE kVirtCtrl = FVIRTKEY | FCONTROL;

std::wstring SubKey(const wchar_t* pszSection)
{
    return std::wstring(kProfilePath) + L"\\" + pszSection;
}

std::set<std::wstring> ValueNames(const wchar_t* pszSection)
{
    std::set<std::wstring> names;
    HKEY hKey = NULL;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, SubKey(pszSection).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; i++)
    {
        wchar_t szName[256];
        DWORD cch = _countof(szName);
        if (::RegEnumValueW(hKey, i, szName, &cch, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        names.insert(szName);
    }
    ::RegCloseKey(hKey);
    return names;
}

std::vector<BYTE> BinaryValue(const wchar_t* pszSection, const wchar_t* pszName)
{
    std::vector<BYTE> data(4096);
    DWORD cb = (DWORD)data.size();
    if (::RegGetValueW(HKEY_CURRENT_USER, SubKey(pszSection).c_str(), pszName, RRF_RT_REG_BINARY, NULL, data.data(),
                       &cb) != ERROR_SUCCESS)
        return {};
    data.resize(cb);
    return data;
}

DWORD DwordValue(const wchar_t* pszSection, const wchar_t* pszName)
{
    DWORD dw = 0xFFFFFFFF;
    DWORD cb = sizeof(dw);
    ::RegGetValueW(HKEY_CURRENT_USER, SubKey(pszSection).c_str(), pszName, RRF_RT_REG_DWORD, NULL, &dw, &cb);
    return dw;
}

std::vector<ACCEL> Entries(HACCEL hAccel)
{
    std::vector<ACCEL> entries;
    const int n = hAccel != NULL ? ::CopyAcceleratorTableW(hAccel, NULL, 0) : 0;
    entries.resize(n);
    if (n > 0)
        ::CopyAcceleratorTableW(hAccel, entries.data(), n);
    return entries;
}

class ShortcutsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pManager = new CVZPAcceleratorManager(NULL);
        ::SHDeleteKeyW(HKEY_CURRENT_USER, SubKey(L"Shortcuts").c_str());
    }
    void TearDown() override
    {
        m_pManager->InternalRelease();
        ::SHDeleteKeyW(HKEY_CURRENT_USER, SubKey(L"Shortcuts").c_str());
    }

    CVZPAcceleratorManager* m_pManager = NULL;
};

TEST_F(ShortcutsTest, FormatAccelNamesModifiersInOrderAndKeys)
{
    struct Case
    {
        BYTE fVirt;
        WORD key;
        const wchar_t* text;
        int nPriority;
    } cases[] = {
        {FVIRTKEY | FCONTROL | FSHIFT, VK_F5, L"Ctrl+Shift+F5", 3},
        {FVIRTKEY | FALT, 'A', L"Alt+A", 2},
        {FVIRTKEY | FSHIFT | FALT, VK_DELETE, L"Shift+Alt+Del", 2},
        {FVIRTKEY | FSHIFT, VK_NUMPAD7, L"Shift+Num 7", 1},
        {FVIRTKEY, VK_F12, L"F12", 4},
        {kVirtCtrl, 3, L"Ctrl+Break", 3},
        {FCONTROL, 9, L"Ctrl+", 3},      // a non-virtual Tab names only its modifiers
        {FALT, 27, L"Alt+", 2},
        {0, 'a', L"a", 4},
        {FCONTROL | FALT, 0, L"Ctrl+Alt", 3},
        {FVIRTKEY, VK_ESCAPE, L"Esc", 4},
        {FVIRTKEY | FCONTROL, VK_NEXT, L"Ctrl+Page Down", 3},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(tesmir::test::Utf8(c.text));
        ACCEL accel = {c.fVirt, c.key, 1};
        int nPriority = 0;
        EXPECT_EQ(CString(c.text), m_pManager->FormatAccel(accel, &nPriority));
        EXPECT_EQ(c.nPriority, nPriority);
    }
}

TEST_F(ShortcutsTest, KeyNamesComeFromTheTableOrTheKeyboardLayout)
{
    EXPECT_EQ(CString(L"Num Lock"), m_pManager->GetKeyName(VK_NUMLOCK));
    EXPECT_EQ(CString(L"Oem Clear"), m_pManager->GetKeyName(0xFE));
    EXPECT_EQ(CString(L"Ctrl+Break"), m_pManager->GetKeyName(3));
    EXPECT_EQ(108, m_pManager->m_mapKeyNames.GetCount());

    // The layout's names, lower case with the first letter raised.
    m_pManager->m_bUseSystemKeyNames = TRUE;
    for (UINT nKey : {(UINT)VK_F5, (UINT)VK_DELETE, (UINT)'B'})
    {
        const CString strName = m_pManager->GetKeyName(nKey);
        ASSERT_FALSE(strName.IsEmpty()) << nKey;
        CString strLower = strName;
        strLower.MakeLower();
        EXPECT_TRUE(::IsCharUpperW(strName[0])) << nKey;
        EXPECT_EQ(strLower.Mid(1), strName.Mid(1)) << nKey;
    }
    EXPECT_EQ(CString(L"Ctrl+Break"), m_pManager->GetKeyName(3));
}

TEST_F(ShortcutsTest, ShortcutTextPrefersPlainKeysAndKeepsAGivenOne)
{
    ACCEL entries[] = {
        {kVirtCtrl, VK_F5, 100}, {FVIRTKEY, VK_F5, 100},         {FVIRTKEY | FSHIFT, 'S', 101},
        {FVIRTKEY | FALT, 'S', 101}, {kVirtCtrl, 'S', 101},      {FVIRTKEY | FSHIFT, 'T', 102},
    };
    m_pManager->SetAccelTable(entries, _countof(entries));
    struct Case
    {
        UINT nCommand;
        const wchar_t* given;
        BOOL bResult;
        const wchar_t* text;
    } cases[] = {
        {100, L"", TRUE, L"F5"},
        {100, L"Ctrl+F5", TRUE, L"Ctrl+F5"},
        {100, L"Ctrl+G", TRUE, L"F5"},
        {101, L"", TRUE, L"Ctrl+S"},
        {102, L"", TRUE, L"Shift+T"},
        {103, L"Ctrl+X", FALSE, L""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nCommand);
        CString strText = c.given;
        EXPECT_EQ(c.bResult, m_pManager->GetShortcutText(c.nCommand, strText));
        EXPECT_EQ(CString(c.text), strText);
    }
}

TEST_F(ShortcutsTest, PlainEscCannotBeAssigned)
{
    EXPECT_FALSE(m_pManager->IsAllowedAccel(ACCEL{FVIRTKEY, VK_ESCAPE, 1}));
    EXPECT_TRUE(m_pManager->IsAllowedAccel(ACCEL{FVIRTKEY | FSHIFT, VK_ESCAPE, 1}));
    EXPECT_TRUE(m_pManager->IsAllowedAccel(ACCEL{FVIRTKEY, VK_F1, 1}));
    EXPECT_TRUE(m_pManager->IsAllowedAccel(ACCEL{0, 27, 1}));
    m_pManager->m_bAllowEscapeShortcut = TRUE;
    EXPECT_TRUE(m_pManager->IsAllowedAccel(ACCEL{FVIRTKEY, VK_ESCAPE, 1}));
}

TEST_F(ShortcutsTest, TablesAreSeparateCopiesAndResetRestoresTheResource)
{
    EXPECT_EQ(nullptr, CVZPAcceleratorManager::CopyAccelTable(NULL));
    ASSERT_TRUE(m_pManager->LoadAcceleratorResource(IDR_TEST_MENU));
    ASSERT_TRUE(m_pManager->HasResourceTable());
    EXPECT_NE(m_pManager->GetAccelTable(), m_pManager->GetDefaultAccelerator());
    ASSERT_EQ(1u, Entries(m_pManager->GetAccelTable()).size());
    EXPECT_EQ(1000, Entries(m_pManager->GetAccelTable())[0].cmd);

    ACCEL entries[] = {{FVIRTKEY, VK_F2, 2000}, {kVirtCtrl, 'N', 2001}};
    m_pManager->SetAccelTable(entries, 2);
    EXPECT_EQ(2u, Entries(m_pManager->GetAccelTable()).size());
    EXPECT_EQ(1u, Entries(m_pManager->GetDefaultAccelerator()).size());
    m_pManager->SetAccelTable(entries, 0);
    EXPECT_EQ(nullptr, m_pManager->GetAccelTable());
    m_pManager->Reset();
    ASSERT_EQ(1u, Entries(m_pManager->GetAccelTable()).size());
    EXPECT_EQ(1000, Entries(m_pManager->GetAccelTable())[0].cmd);

    // A missing resource leaves no tables at all.
    EXPECT_FALSE(m_pManager->LoadAcceleratorResource(4321));
    EXPECT_FALSE(m_pManager->HasResourceTable());
    EXPECT_EQ(nullptr, m_pManager->GetAccelTable());
}

TEST_F(ShortcutsTest, TranslationStopsWhileDisabled)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"keys", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
    ACCEL entries[] = {{FVIRTKEY, VK_F2, 2000}};
    m_pManager->SetAccelTable(entries, 1);
    MSG msg = {wnd.GetSafeHwnd(), WM_KEYDOWN, VK_F2, 0x003C0001, 0, {0, 0}};
    EXPECT_TRUE(m_pManager->TranslateAccelerator(wnd.GetSafeHwnd(), &msg));
    m_pManager->DisableAccelerators(TRUE);
    EXPECT_FALSE(m_pManager->TranslateAccelerator(wnd.GetSafeHwnd(), &msg));
    m_pManager->DisableAccelerators(FALSE);
    EXPECT_TRUE(m_pManager->TranslateAccelerator(wnd.GetSafeHwnd(), &msg));
    MSG pending;
    while (::PeekMessageW(&pending, wnd.GetSafeHwnd(), 0, 0, PM_REMOVE))
    {
    }
    wnd.DestroyWindow();
}

TEST_F(ShortcutsTest, SavedTableIsSixBytesAnEntry)
{
    // Without a resource table nothing is saved or loaded.
    ACCEL entries[] = {{FVIRTKEY | FSHIFT, VK_F3, 0x1234}, {kVirtCtrl, 'N', 0xE100}};
    m_pManager->SetAccelTable(entries, 2);
    m_pManager->SaveAccelerators(L"Shortcuts");
    EXPECT_TRUE(BinaryValue(L"Shortcuts", L"Accelerators").empty());

    ASSERT_TRUE(m_pManager->LoadAcceleratorResource(IDR_TEST_MENU));
    m_pManager->SetAccelTable(entries, 2);
    m_pManager->SaveAccelerators(L"Shortcuts");
    const std::vector<BYTE> expected = {FVIRTKEY | FSHIFT, 0, VK_F3, 0, 0x34, 0x12, kVirtCtrl, 0, 'N', 0, 0x00, 0xE1};
    std::vector<BYTE> stored = BinaryValue(L"Shortcuts", L"Accelerators");
    // The padding byte is whatever the table held; only the fields count.
    ASSERT_EQ(12u, stored.size());
    stored[1] = stored[7] = 0;
    EXPECT_EQ(expected, stored);

    m_pManager->Reset();
    m_pManager->LoadAccelerators(L"Shortcuts");
    std::vector<ACCEL> loaded = Entries(m_pManager->GetAccelTable());
    ASSERT_EQ(2u, loaded.size());
    EXPECT_EQ(0x1234, loaded[0].cmd);
    EXPECT_EQ(VK_F3, loaded[0].key);
    EXPECT_EQ(FVIRTKEY | FSHIFT, loaded[0].fVirt & ~0x80);
    EXPECT_EQ(0xE100, loaded[1].cmd);

    // 13 bytes hold two entries; 5 bytes none, and no table is left.
    struct Case
    {
        UINT nBytes;
        size_t nEntries;
    } cases[] = {{13, 2}, {5, 0}};
    for (const Case& c : cases)
    {
        std::vector<BYTE> data(expected);
        data.resize(c.nBytes, 0x77);
        ASSERT_TRUE(AfxGetApp()->WriteProfileBinary(L"Shortcuts", L"Accelerators", data.data(), c.nBytes));
        m_pManager->Reset();
        m_pManager->LoadAccelerators(L"Shortcuts");
        EXPECT_EQ(c.nEntries, Entries(m_pManager->GetAccelTable()).size()) << c.nBytes;
        if (c.nEntries == 0)
        {
            EXPECT_EQ(nullptr, m_pManager->GetAccelTable());
        }
    }
}

// ---------------------------------------------------------------------------
// Options

class OptionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SHDeleteKeyW(HKEY_CURRENT_USER, SubKey(L"CommandBars-Options").c_str());
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame());
        m_pBars = m_pFrame->GetCommandBars();
        m_pOptions = m_pBars->GetCommandBarsOptions();
    }
    void TearDown() override
    {
        DestroyFrame(m_pFrame);
        ::SHDeleteKeyW(HKEY_CURRENT_USER, SubKey(L"CommandBars-Options").c_str());
    }

    CTestFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pBars = NULL;
    CVZPCommandBarsOptions* m_pOptions = NULL;
};

TEST_F(OptionsTest, SavedUserOptionsAreExactlyTheUserKeys)
{
    m_pOptions->animationType = 3;
    m_pOptions->bAlwaysShowFullMenus = FALSE;
    m_pBars->SaveOptions(L"CommandBars");
    const std::set<std::wstring> expected = {L"Schema",           L"AlwaysShowFullMenus", L"ShowFullAfterDelay",
                                             L"ToolBarScreenTips", L"ToolBarAccelTips",    L"LargeIcons",
                                             L"Animation"};
    EXPECT_EQ(expected, ValueNames(L"CommandBars-Options"));
    EXPECT_EQ(16u, DwordValue(L"CommandBars-Options", L"Schema"));
    EXPECT_EQ(3u, DwordValue(L"CommandBars-Options", L"Animation"));
    EXPECT_EQ(0u, DwordValue(L"CommandBars-Options", L"AlwaysShowFullMenus"));

    // Loading restores the user options and leaves the others alone.
    m_pOptions->animationType = 0;
    m_pOptions->bAlwaysShowFullMenus = TRUE;
    m_pOptions->szIcons = CSize(32, 32);
    m_pOptions->keyboardCuesUse = 0;
    m_pBars->LoadOptions(L"CommandBars");
    EXPECT_EQ(3, m_pOptions->animationType);
    EXPECT_FALSE(m_pOptions->bAlwaysShowFullMenus);
    EXPECT_EQ(CSize(32, 32), m_pOptions->szIcons);
    EXPECT_EQ(0, m_pOptions->keyboardCuesUse);

    // A missing section leaves everything as it was.
    ::SHDeleteKeyW(HKEY_CURRENT_USER, SubKey(L"CommandBars-Options").c_str());
    m_pOptions->animationType = 4;
    m_pBars->LoadOptions(L"CommandBars");
    EXPECT_EQ(4, m_pOptions->animationType);
}

TEST_F(OptionsTest, ResetUsageDataStaysResetAfterSavingAndLoading)
{
    m_pBars->HideCommand(57607);
    m_pBars->HideCommand(57609);
    m_pBars->SetCommandUsed(57607);
    ASSERT_FALSE(m_pOptions->m_mapUsedCommands.IsEmpty());
    m_pBars->SaveOptions(L"CommandBars");
    EXPECT_EQ(1u, ValueNames(L"CommandBars-Options").count(L"UsedCommands"));

    m_pOptions->m_mapUsedCommands.RemoveAll();
    m_pBars->LoadOptions(L"CommandBars");
    BOOL bUsed = FALSE;
    EXPECT_TRUE(m_pOptions->m_mapUsedCommands.Lookup(57607, bUsed));
    EXPECT_EQ(1, m_pOptions->m_mapUsedCommands.GetCount());

    m_pBars->ResetUsageData();
    m_pBars->SaveOptions(L"CommandBars");
    EXPECT_EQ(0u, ValueNames(L"CommandBars-Options").count(L"UsedCommands"));
    m_pBars->LoadOptions(L"CommandBars");
    EXPECT_TRUE(m_pOptions->m_mapUsedCommands.IsEmpty());
}

// Writes the options through an archive exchange of the schema, then an end
// mark, and gives the bytes.
std::vector<BYTE> StoreOptions(CVZPCommandBarsOptions* pOptions, int nSchema)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CVZPPropExchangeArchive px(ar);
        px.m_nSchema = nSchema;
        pOptions->DoPropExchange(&px, FALSE);
        ar << (DWORD)0xC0DEF00D;
    }
    std::vector<BYTE> data((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(data.data(), (UINT)data.size());
    return data;
}

// Reads options written by StoreOptions; FALSE unless the end mark follows.
bool LoadOptions(CVZPCommandBarsOptions* pOptions, std::vector<BYTE>& data)
{
    CMemFile file(data.data(), (UINT)data.size());
    CArchive ar(&file, CArchive::load);
    CVZPPropExchangeArchive px(ar);
    pOptions->DoPropExchange(&px, FALSE);
    DWORD dwMark = 0;
    ar >> dwMark;
    return dwMark == 0xC0DEF00D;
}

TEST_F(OptionsTest, ArchivesCarryWhatTheirSchemaHolds)
{
    m_pOptions->animationType = 3;
    m_pOptions->bSyncFloatingBars = FALSE;
    m_pOptions->bShowExpandButtonAlways = FALSE;
    m_pOptions->bDblClickFloat = TRUE;
    m_pOptions->szIcons = CSize(24, 24);
    m_pOptions->szPopupIcons = CSize(20, 20);
    m_pOptions->keyboardCuesUse = 2;
    m_pOptions->m_mapUsedCommands.SetAt(57607, TRUE);
    m_pOptions->m_mapHiddenCommands.SetAt(57607, TRUE);
    m_pOptions->m_mapHiddenCommands.SetAt(57609, TRUE);

    std::vector<BYTE> full = StoreOptions(m_pOptions, 16);
    std::vector<BYTE> old = StoreOptions(m_pOptions, 7);
    // Schema 16 adds the used set, "Animation", the repeated pair, four
    // booleans, a size and two integers: the two repeated BOOLs are 8 of
    // the extra bytes.
    EXPECT_GT(full.size(), old.size() + 8 + 4 + 16 + 8 + 8);

    CVZPCommandBarsOptions* pCopy = new CVZPCommandBarsOptions(m_pBars);
    ASSERT_TRUE(LoadOptions(pCopy, full));
    EXPECT_EQ(3, pCopy->animationType);
    EXPECT_FALSE(pCopy->bSyncFloatingBars);
    EXPECT_FALSE(pCopy->bShowExpandButtonAlways);
    EXPECT_TRUE(pCopy->bDblClickFloat);
    EXPECT_EQ(CSize(24, 24), pCopy->szIcons);
    EXPECT_EQ(CSize(20, 20), pCopy->szPopupIcons);
    EXPECT_EQ(2, pCopy->keyboardCuesUse);
    EXPECT_EQ(1, pCopy->m_mapUsedCommands.GetCount());
    EXPECT_EQ(2, pCopy->m_mapHiddenCommands.GetCount());
    pCopy->InternalRelease();

    // Schema 7: no used set and no "Animation"; the rest still reads.
    pCopy = new CVZPCommandBarsOptions(m_pBars);
    pCopy->animationType = 2;
    pCopy->m_mapUsedCommands.SetAt(5, TRUE);
    ASSERT_TRUE(LoadOptions(pCopy, old));
    EXPECT_EQ(2, pCopy->animationType);
    BOOL bUsed = FALSE;
    EXPECT_TRUE(pCopy->m_mapUsedCommands.Lookup(5, bUsed));
    EXPECT_EQ(1, pCopy->m_mapUsedCommands.GetCount());
    EXPECT_EQ(CSize(24, 24), pCopy->szIcons);
    EXPECT_EQ(2, pCopy->m_mapHiddenCommands.GetCount());
    EXPECT_FALSE(pCopy->bDblClickFloat);
    pCopy->InternalRelease();
}

TEST_F(OptionsTest, KeyboardCuesFollowTheShowValue)
{
    m_pOptions->UpdateKeyboardCuesState(1);
    EXPECT_FALSE(m_pBars->IsKeyboardCuesVisible());
    m_pOptions->UpdateKeyboardCuesState(0);
    EXPECT_TRUE(m_pBars->IsKeyboardCuesVisible());
    BOOL bSystemCues = TRUE;
    if (::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0) && !bSystemCues)
    {
        m_pOptions->UpdateKeyboardCuesState(2);
        EXPECT_FALSE(m_pBars->IsKeyboardCuesVisible());
    }
    else
    {
        m_pOptions->UpdateKeyboardCuesState(2);
        EXPECT_TRUE(m_pBars->IsKeyboardCuesVisible());
    }
}

}  // namespace
