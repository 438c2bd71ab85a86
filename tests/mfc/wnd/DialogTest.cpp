// Dialogs with controls: data exchange both ways, validation failures, the
// check list box, and the file dialog's filter and selection parsing.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxdlgs.h>

#include "MfcWndTestsRes.h"
#include "TestSupport.h"
#include "WndTestSupport.h"

#include <string>
#include <vector>

using namespace mfcwnd_test;

namespace {

class CDdxDialog : public CDialog
{
public:
    CDdxDialog() : CDialog(IDD_DDX) {}

    int m_nNumber = 42;
    CString m_strText = _T("hello");
    int m_nCheck = 1;
    int m_nRadio = 2;
    int m_nListIndex = 1;
    CString m_strCombo = _T("beta");
    CCheckListBox m_checkList;
    std::vector<int> m_chkChanges;
    int m_nEditChanges = 0;

protected:
    BOOL OnInitDialog() override
    {
        // Fill the lists before the exchange puts the values in.
        SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, (LPARAM)_T("zero"));
        SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, (LPARAM)_T("one"));
        SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, (LPARAM)_T("alpha"));
        SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, (LPARAM)_T("beta"));
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_EDIT_NUM, m_nNumber);
        DDV_MinMaxInt(pDX, m_nNumber, -100, 100);
        DDX_Text(pDX, IDC_EDIT_TEXT, m_strText);
        DDV_MaxChars(pDX, m_strText, 8);
        DDX_Check(pDX, IDC_CHECK, m_nCheck);
        DDX_Radio(pDX, IDC_RADIO1, m_nRadio);
        DDX_LBIndex(pDX, IDC_LIST, m_nListIndex);
        DDX_CBString(pDX, IDC_COMBO, m_strCombo);
        DDX_Control(pDX, IDC_CHECKLIST, m_checkList);
    }
    afx_msg void OnCheckChange() { m_chkChanges.push_back(m_checkList.GetCheck(m_checkList.GetCaretIndex())); }
    afx_msg void OnEditChange() { m_nEditChanges++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDdxDialog, CDialog)
    ON_CLBN_CHKCHANGE(IDC_CHECKLIST, OnCheckChange)
    ON_EN_CHANGE(IDC_EDIT_TEXT, OnEditChange)
END_MESSAGE_MAP()

CString ItemText(CWnd& dlg, int nID)
{
    CString str;
    dlg.GetDlgItemText(nID, str);
    return str;
}

class DialogTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dlg.Create(IDD_DDX)); }
    CDdxDialog m_dlg;
};

TEST_F(DialogTest, ExchangeFillsTheControlsWithoutNotifications)
{
    EXPECT_STREQ(_T("42"), (LPCTSTR)ItemText(m_dlg, IDC_EDIT_NUM));
    EXPECT_STREQ(_T("hello"), (LPCTSTR)ItemText(m_dlg, IDC_EDIT_TEXT));
    EXPECT_EQ(BST_CHECKED, m_dlg.IsDlgButtonChecked(IDC_CHECK));
    EXPECT_EQ(IDC_RADIO3, m_dlg.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3));
    EXPECT_EQ(1, (int)m_dlg.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL));
    EXPECT_EQ(1, (int)m_dlg.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL));
    EXPECT_EQ(m_dlg.GetDlgItem(IDC_CHECKLIST)->m_hWnd, m_dlg.m_checkList.m_hWnd);
    EXPECT_EQ(&m_dlg.m_checkList, CWnd::FromHandlePermanent(m_dlg.m_checkList.m_hWnd));
    EXPECT_EQ(0, m_dlg.m_nEditChanges);   // EN_CHANGE from the exchange itself is not handled
    m_dlg.SetDlgItemText(IDC_EDIT_TEXT, _T("typed"));
    EXPECT_EQ(1, m_dlg.m_nEditChanges);
}

TEST_F(DialogTest, ExchangeReadsWhatTheUserChanged)
{
    m_dlg.SetDlgItemText(IDC_EDIT_NUM, _T(" -17 "));
    m_dlg.SetDlgItemText(IDC_EDIT_TEXT, _T("world"));
    m_dlg.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
    m_dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
    m_dlg.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, 0);
    m_dlg.SendDlgItemMessage(IDC_COMBO, CB_SETCURSEL, 0);
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(-17, m_dlg.m_nNumber);
    EXPECT_STREQ(_T("world"), (LPCTSTR)m_dlg.m_strText);
    EXPECT_EQ(0, m_dlg.m_nCheck);
    EXPECT_EQ(0, m_dlg.m_nRadio);
    EXPECT_EQ(0, m_dlg.m_nListIndex);
    EXPECT_STREQ(_T("alpha"), (LPCTSTR)m_dlg.m_strCombo);
}

TEST_F(DialogTest, InvalidInputFailsWithAMessageAndFocusOnTheControl)
{
    struct Case
    {
        int nID;
        const TCHAR* text;
        const TCHAR* message;
    };
    const Case cases[] = {
        { IDC_EDIT_NUM, _T("12x"), _T("Please enter an integer.") },
        { IDC_EDIT_NUM, _T(""), _T("Please enter an integer.") },
        { IDC_EDIT_NUM, _T("99999999999"), _T("Please enter an integer.") },
        { IDC_EDIT_NUM, _T("101"), _T("Please enter an integer between -100 and 100.") },
        { IDC_EDIT_TEXT, _T("too long text"), _T("Please enter no more than 8 characters.") },
    };
    m_dlg.ShowWindow(SW_SHOWNA);   // focus needs a visible dialog
    for (const Case& c : cases)
    {
        m_dlg.m_nNumber = 42;
        m_dlg.UpdateData(FALSE);
        m_dlg.SetDlgItemText(c.nID, c.text);
        CMessageBoxAnswer answer(IDOK);
        EXPECT_FALSE(m_dlg.UpdateData(TRUE)) << c.text;
        ASSERT_EQ(1u, answer.m_texts.size()) << c.text;
        EXPECT_EQ(std::wstring(c.message), answer.m_texts[0]);
        EXPECT_EQ(m_dlg.GetDlgItem(c.nID)->m_hWnd, ::GetFocus()) << c.text;
        if (c.nID == IDC_EDIT_NUM && c.text != std::wstring(_T("101")))
        {
            EXPECT_EQ(42, m_dlg.m_nNumber);   // a value that does not parse is not stored
        }
    }
    m_dlg.ShowWindow(SW_HIDE);
}

TEST_F(DialogTest, CheckListBoxKeepsChecksAndItemData)
{
    CCheckListBox& list = m_dlg.m_checkList;
    EXPECT_EQ(0, list.AddString(_T("first")));
    EXPECT_EQ(1, list.AddString(_T("second")));
    EXPECT_EQ(0, list.InsertString(0, _T("zeroth")));
    list.SetItemData(2, 0xABCD);
    list.SetCheck(1, 1);
    EXPECT_EQ(0, list.GetCheck(0));
    EXPECT_EQ(1, list.GetCheck(1));
    EXPECT_EQ(0xABCDu, list.GetItemData(2));
    EXPECT_EQ(0u, list.GetItemData(1));
    CString str;
    list.GetText(1, str);
    EXPECT_STREQ(_T("first"), (LPCTSTR)str);

    // Space toggles the item with the caret and tells the parent.
    list.SetCurSel(2);
    list.SetCaretIndex(2);
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(1, list.GetCheck(2));
    EXPECT_EQ((std::vector<int>{ 1 }), m_dlg.m_chkChanges);

    // A click on the box toggles it; a click on the text only selects.
    CRect rectItem;
    list.GetItemRect(1, rectItem);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rectItem.left + 4, rectItem.top + 2));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rectItem.left + 4, rectItem.top + 2));
    EXPECT_EQ(0, list.GetCheck(1));
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rectItem.left + 60, rectItem.top + 2));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rectItem.left + 60, rectItem.top + 2));
    EXPECT_EQ(0, list.GetCheck(1));
    EXPECT_EQ(1, list.GetCurSel());
    EXPECT_EQ(2u, m_dlg.m_chkChanges.size());

    list.DeleteString(0);
    EXPECT_EQ(1, list.GetCheck(1));   // the checks move with their items
    list.ResetContent();
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(DialogTest, OkValidatesAndEndDialogOnlyHidesAModelessDialog)
{
    m_dlg.SetDlgItemText(IDC_EDIT_NUM, _T("7"));
    m_dlg.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_EQ(7, m_dlg.m_nNumber);
    EXPECT_TRUE(::IsWindow(m_dlg.m_hWnd));
    EXPECT_FALSE(m_dlg.IsWindowVisible());

    CMessageBoxAnswer answer(IDOK);
    m_dlg.SetDlgItemText(IDC_EDIT_NUM, _T("bad"));
    m_dlg.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_EQ(1u, answer.m_texts.size());
    EXPECT_EQ(7, m_dlg.m_nNumber);
}

TEST(FileDialog, FilterBarsBecomeNulsAndSelectionsParse)
{
    CFileDialog dlg(TRUE, _T("vhd"), _T("disk.vhd"), OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
                    _T("Virtual Hard Disk(*.vhd *.vhdx)|*.vhd?||"));
    const TCHAR expected[] = _T("Virtual Hard Disk(*.vhd *.vhdx)\0*.vhd?\0\0");
    EXPECT_EQ(0, memcmp(expected, dlg.m_ofn.lpstrFilter, sizeof(expected)));
    EXPECT_STREQ(_T("vhd"), dlg.m_ofn.lpstrDefExt);
    EXPECT_STREQ(_T("disk.vhd"), dlg.m_ofn.lpstrFile);

    // Several files: folder, then names.
    TCHAR multi[] = _T("C:\\images\0a.vhd\0b.vhdx\0\0");
    dlg.m_ofn.lpstrFile = multi;
    std::vector<std::wstring> paths;
    for (POSITION pos = dlg.GetStartPosition(); pos != NULL;)
        paths.push_back((LPCTSTR)dlg.GetNextPathName(pos));
    EXPECT_EQ((std::vector<std::wstring>{ L"C:\\images\\a.vhd", L"C:\\images\\b.vhdx" }), paths);

    // One file: the full path.
    TCHAR single[] = _T("C:\\images\\c.vhd\0\0");
    dlg.m_ofn.lpstrFile = single;
    EXPECT_STREQ(_T("C:\\images\\c.vhd"), (LPCTSTR)dlg.GetPathName());
    EXPECT_STREQ(_T("c.vhd"), (LPCTSTR)dlg.GetFileName());
    EXPECT_STREQ(_T("vhd"), (LPCTSTR)dlg.GetFileExt());
    EXPECT_STREQ(_T("c"), (LPCTSTR)dlg.GetFileTitle());
    POSITION pos = dlg.GetStartPosition();
    EXPECT_STREQ(_T("C:\\images\\c.vhd"), (LPCTSTR)dlg.GetNextPathName(pos));
    EXPECT_EQ(NULL, pos);
}

}  // namespace
