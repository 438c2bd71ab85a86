// The File Filters dialog driven in its own modal loop: Add's four refusals
// in their order (as errors), the order of the list and of the stored
// table, Remove, and Close listing the root again, in File Trace with the
// hits' types.
#include <gtest/gtest.h>

#include "CFileFiltersDlg.h"
#include "MessageRecorder.h"
#include "ModalDriver.h"
#include "ResultsTestSupport.h"
#include "TestSupport.h"
#include "resource.h"

using msgbox_test::CModalDriver;

namespace {

std::vector<std::wstring> ListBoxTexts(HWND dialog)
{
    std::vector<std::wstring> out;
    HWND list = GetDlgItem(dialog, IDC_FILTERS_LIST);
    const int n = (int)SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
        wchar_t text[64] = L"";
        SendMessageW(list, LB_GETTEXT, i, (LPARAM)text);
        out.push_back(text);
    }
    return out;
}

// Types the text into the edit box and clicks "&Add".
CModalDriver::Step Add(const wchar_t* text)
{
    std::wstring copy = text;
    return CModalDriver::Run([copy](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_FILTERS_EDIT, copy.c_str());
        SendMessageW(GetDlgItem(dialog, IDC_FILTERS_ADD), BM_CLICK, 0, 0);
    });
}

// Enter in the edit box: the hidden default button adds too.
CModalDriver::Step AddByEnter(const wchar_t* text)
{
    std::wstring copy = text;
    return CModalDriver::Run([copy](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_FILTERS_EDIT, copy.c_str());
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
    });
}

class FileFilters : public testing::Test
{
protected:
    void SetUp() override { g_nFileFilterCount = 0; }
    void TearDown() override { g_nFileFilterCount = 0; }
    CResultsWindow w;
    CMessageRecorder messages;
};

}  // namespace

TEST_F(FileFilters, AddRefusesInOrderAndCloseStoresTheListOrder)
{
    const wchar_t* nineteen = L"abcdefghij123456789";
    std::vector<std::wstring> seen;
    DWORD selStart = 99, selEnd = 99;
    size_t messagesAfterLong = 0;
    CModalDriver driver({
        Add(L""),
        Add(nineteen),
        Add(L"abcdefghij1234567890"),
        CModalDriver::Run([&](HWND dialog) {
            SendDlgItemMessageW(dialog, IDC_FILTERS_EDIT, EM_GETSEL, (WPARAM)&selStart, (LPARAM)&selEnd);
            messagesAfterLong = messages.messages().size();
        }),
        Add(nineteen),
        Add(L"a"),
        AddByEnter(L"b"),
        Add(L"c"),
        Add(L"*.doc"),
        Add(L"*.DOC"),
        CModalDriver::Run([&](HWND dialog) { seen = ListBoxTexts(dialog); }),
        CModalDriver::Run([&](HWND dialog) {
            SendDlgItemMessageW(dialog, IDC_FILTERS_LIST, LB_SETCURSEL, 1, 0);   // "*.doc"
            SendMessageW(GetDlgItem(dialog, IDC_FILTERS_REMOVE), BM_CLICK, 0, 0);
        }),
        CModalDriver::Click(IDCANCEL),
    });
    CFileFiltersDlg dialog(&w.m_frame);
    dialog.DoModal();
    EXPECT_TRUE(driver.Finished());
    EXPECT_FALSE(driver.TimedOut());

    const auto& m = messages.messages();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].text, L"      Blank entry can't be added.Please provide text.    ");
    EXPECT_EQ(m[1].text, L"      Filter too long.     ");
    EXPECT_EQ(messagesAfterLong, 2u);
    EXPECT_EQ(selStart, 0u);
    EXPECT_EQ(selEnd, 19u);
    EXPECT_EQ(m[2].text, L"      Same Filter already exists in list.     ");
    for (const auto& message : m)
        EXPECT_EQ(message.kind, MessageKindError);

    EXPECT_EQ(seen, (std::vector<std::wstring>{L"*.DOC", L"*.doc", L"c", L"b", L"a", nineteen}));
    ASSERT_EQ(g_nFileFilterCount, 5);
    const wchar_t* stored[] = {L"*.DOC", L"c", L"b", L"a", nineteen};
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ(g_FileFilters[i], stored[i]) << i;
}

// The 99th filter is added, the 100th refused; the dialog opens with the
// stored table in its order.
TEST_F(FileFilters, NinetyNineFiltersAtMost)
{
    for (int i = 0; i < 98; ++i)
        swprintf(g_FileFilters[i], FileFilterChars, L"*.f%d", i);
    g_nFileFilterCount = 98;
    std::vector<std::wstring> opened;
    CModalDriver driver({
        CModalDriver::Run([&](HWND dialog) { opened = ListBoxTexts(dialog); }),
        Add(L"*.x"),
        Add(L"*.y"),
        CModalDriver::Click(IDCANCEL),
    });
    CFileFiltersDlg dialog(&w.m_frame);
    dialog.DoModal();
    EXPECT_TRUE(driver.Finished());
    ASSERT_EQ(opened.size(), 98u);
    EXPECT_EQ(opened[0], L"*.f0");
    EXPECT_EQ(opened[97], L"*.f97");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, L"      More Filters can't be added.     ");
    EXPECT_EQ(g_nFileFilterCount, 99);
    EXPECT_STREQ(g_FileFilters[0], L"*.x");
    EXPECT_STREQ(g_FileFilters[98], L"*.f97");
}

// Close lists the root again with the new filters; in File Trace the hits'
// types come back, not an empty FAT or NTFS listing.
TEST_F(FileFilters, CloseListsTheRootAgainAlsoInFileTrace)
{
    VolumeParams.fileSystemType = FileSystemFat32;
    g_ScanMode = ScanModeQuick;
    w.SetColumns(ScanModeQuick);
    for (const wchar_t* name : {L"A.TXT", L"a.pdf"}) {
        ++g_FileCount;
        AddFatFile(name, 9, 0, 0x3C2F, 0x3C2F, 10, 0);
    }
    w.m_tree.BuildFatTree();
    {
        CModalDriver driver({Add(L"*.txt"), CModalDriver::Click(IDCANCEL)});
        CFileFiltersDlg dialog(&w.m_frame);
        dialog.DoModal();
        EXPECT_TRUE(driver.Finished());
    }
    EXPECT_EQ(w.Names(), std::vector<std::wstring>{L"A.TXT"});

    g_nFileFilterCount = 0;
    g_ScanMode = ScanModeFileTrace;
    w.SetColumns(ScanModeFileTrace);
    AppendTraceHit(L"1.jpg", L".jpg", L"JPEG Image", 100, 1);
    AppendTraceHit(L"2.doc", L".doc", L"Word Document", 200, 2);
    w.m_list.DeleteAllItems();
    {
        CModalDriver driver({CModalDriver::Click(IDCANCEL)});
        CFileFiltersDlg dialog(&w.m_frame);
        dialog.DoModal();
        EXPECT_TRUE(driver.Finished());
    }
    EXPECT_EQ(w.Names(), (std::vector<std::wstring>{L"JPEG Image", L"Word Document"}));
    EXPECT_EQ(w.m_list.GetItemText(0, 2), CString(L"-"));
}
