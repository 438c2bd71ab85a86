#include "CFileFiltersDlg.h"

#include "CRecoveryWizardApp.h"
#include "CThirdView_HDD.h"
#include "ResultListFill.h"
#include "WizardSteps.h"
#include "msg/MessageSink.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CFileFiltersDlg, CSkinnedDialog)
    ON_WM_CTLCOLOR()
    ON_COMMAND(IDC_FILTERS_ADD, OnAdd)
    ON_COMMAND(IDC_FILTERS_REMOVE, OnRemove)
END_MESSAGE_MAP()

CFileFiltersDlg::CFileFiltersDlg(CWnd* pParent) : CSkinnedDialog(IDD_FILE_FILTERS, IDB_FILE_FILTERS_SKIN, pParent) {}

CFileFiltersDlg::~CFileFiltersDlg() {}

BOOL CFileFiltersDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    m_edit.SubclassDlgItem(IDC_FILTERS_EDIT, this);
    m_list.SubclassDlgItem(IDC_FILTERS_LIST, this);
    m_label.SubclassDlgItem(IDC_FILTERS_LABEL, this);
    MakeArialFont(m_font, 15, FW_NORMAL);
    for (UINT id : {(UINT)IDC_FILTERS_LABEL, (UINT)IDC_FILTERS_ADD, (UINT)IDOK, (UINT)IDC_FILTERS_REMOVE,
                    (UINT)IDCANCEL, (UINT)IDC_FILTERS_LIST})
        if (CWnd* pControl = GetDlgItem(id))
            pControl->SetFont(&m_font);
    for (int i = 0; i < g_nFileFilterCount && i < FileFilterSlots; ++i) {
        wchar_t text[FileFilterChars];
        wcsncpy(text, g_FileFilters[i], FileFilterChars);
        text[FileFilterChars - 1] = 0;
        m_list.InsertString(i, text);
    }
    m_edit.SetFocus();
    return FALSE;
}

HBRUSH CFileFiltersDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    (void)pDC;
    (void)pWnd;
    (void)nCtlColor;
    return ::GetSysColorBrush(COLOR_WINDOW);
}

void CFileFiltersDlg::Refuse(const wchar_t* text, int nSelect)
{
    ShowMessage(text, MessageKindError);
    if (nSelect != 0) {
        m_edit.SetSel(0, nSelect);
        m_edit.SendMessage(EM_SCROLLCARET, 0, 0);
    }
    m_edit.SetFocus();
}

void CFileFiltersDlg::OnOK() { OnAdd(); }

void CFileFiltersDlg::OnAdd()
{
    wchar_t buffer[301] = L"";
    m_edit.GetWindowText(buffer, 301);
    const CString text = buffer;
    if (text.IsEmpty()) {
        Refuse(L"      Blank entry can't be added.Please provide text.    ", 0);
        return;
    }
    if (text.GetLength() > FileFilterChars - 1) {
        Refuse(L"      Filter too long.     ", FileFilterChars - 1);
        return;
    }
    if (g_nFileFilterCount >= MaxFileFilters) {
        ShowMessage(L"      More Filters can't be added.     ", MessageKindError);
        return;
    }
    for (int i = 0, n = m_list.GetCount(); i < n; ++i) {
        CString entry;
        m_list.GetText(i, entry);
        if (entry == text) {
            Refuse(L"      Same Filter already exists in list.     ", -1);
            return;
        }
    }
    m_list.InsertString(0, text);
    ++g_nFileFilterCount;
    m_edit.SetWindowText(L"");
    m_edit.SetFocus();
}

void CFileFiltersDlg::OnRemove()
{
    const int selection = m_list.GetCurSel();
    if (selection == LB_ERR)
        return;
    m_list.DeleteString(selection);
    --g_nFileFilterCount;
}

void CFileFiltersDlg::OnCancel()
{
    for (int i = 0, n = m_list.GetCount(); i < n && i < FileFilterSlots; ++i) {
        CString entry;
        m_list.GetText(i, entry);
        wcsncpy(g_FileFilters[i], entry, FileFilterChars);
        g_FileFilters[i][FileFilterChars - 1] = 0;
    }
    CRecoveryWizardApp* pApp = GetWizardApp();
    CThirdView_HDD* pView = pApp ? DYNAMIC_DOWNCAST(CThirdView_HDD, pApp->m_pViews[WizardRecoveryStep]) : NULL;
    if (pView && pView->m_tree.GetSafeHwnd()) {
        pView->m_tree.SetFocus();
        if (HTREEITEM root = pView->m_tree.GetRootItem())
            pView->m_tree.SelectItem(root);
        // File Trace lists its hits' types again, as after the search.
        pView->ShowRootListing();
    } else {
        FillResultListRoot();
    }
    CSkinnedDialog::OnCancel();
}
