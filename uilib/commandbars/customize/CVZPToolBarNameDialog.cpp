#include "CVZPToolBarNameDialog.h"


#include "CVZPCommandBars.h"
#include "CVZPResourceLoader.h"
#include "CVZPToolBar.h"
#include "uilibres.h"

namespace {

CString LoadLibraryString(UINT nID)
{
    CString str;
    GetResourceLoader()->LoadString(&str, nID);
    return str;
}

BOOL IsTitleTaken(CVZPCommandBars* pCommandBars, const CString& strTitle, CVZPToolBar* pExcept)
{
    for (int i = 0; i < pCommandBars->GetCount(); i++)
    {
        CVZPToolBar* pBar = pCommandBars->GetAt(i);
        if (pBar != pExcept && pBar->GetTitle() == strTitle)
            return TRUE;
    }
    return FALSE;
}

}  // namespace

CVZPToolBarNameDialog::CVZPToolBarNameDialog(CWnd* pParent, CVZPCommandBars* pCommandBars, CVZPToolBar* pToolBar)
    : m_pToolBar(pToolBar), m_pCommandBars(pCommandBars), m_nId(0)
{
    InitModalIndirect(GetResourceLoader()->LoadDialogTemplate(VZP_IDD_TOOLBAR_NAME), pParent);
}

void CVZPToolBarNameDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, VZP_IDC_TOOLBAR_NAME, m_strToolBarName);
}

BOOL CVZPToolBarNameDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pToolBar == NULL)
    {
        SuggestName();
    }
    else
    {
        m_strToolBarName = m_pToolBar->GetTitle();
        SetDlgItemText(VZP_IDC_TOOLBAR_NAME, m_strToolBarName);
        SetWindowText(LoadLibraryString(VZP_IDS_RENAME_TOOLBAR));
    }
    return TRUE;
}

void CVZPToolBarNameDialog::SuggestName()
{
    const CString strFormat = LoadLibraryString(VZP_IDS_CUSTOM_BAR);
    CString strName;
    for (int n = 1;; n++)
    {
        strName.Format(strFormat, n);
        if (m_pCommandBars == NULL || !IsTitleTaken(m_pCommandBars, strName, NULL))
            break;
    }
    m_strToolBarName = strName;
    if (m_hWnd != NULL)
        SetDlgItemText(VZP_IDC_TOOLBAR_NAME, m_strToolBarName);
}

void CVZPToolBarNameDialog::OnOK()
{
    GetDlgItemText(VZP_IDC_TOOLBAR_NAME, m_strToolBarName);
    if (m_strToolBarName.IsEmpty())
    {
        AfxMessageBox(LoadLibraryString(VZP_IDS_NAME_BLANK), MB_ICONHAND);
        return;
    }
    if (m_pCommandBars == NULL)
        return;
    UINT nId = idFirstCustomBar;
    for (;;)
    {
        BOOL bIdTaken = FALSE;
        for (int i = 0; i < m_pCommandBars->GetCount(); i++)
        {
            CVZPToolBar* pBar = m_pCommandBars->GetAt(i);
            if (m_pToolBar == NULL && pBar->GetBarID() == nId)
            {
                bIdTaken = TRUE;
                break;
            }
            if (pBar != m_pToolBar && pBar->GetTitle() == m_strToolBarName)
            {
                CString strMessage;
                strMessage.Format(LoadLibraryString(VZP_IDS_NAME_EXISTS), (LPCTSTR)m_strToolBarName);
                AfxMessageBox(strMessage, MB_ICONHAND);
                return;
            }
        }
        if (!bIdTaken)
            break;
        if (nId >= idLastCustomBar)
        {
            AfxMessageBox(LoadLibraryString(VZP_IDS_BAR_LIMIT), MB_ICONHAND);
            EndDialog(IDCANCEL);
            return;
        }
        nId++;
    }
    if (m_pToolBar == NULL)
        m_nId = nId;
    EndDialog(IDOK);
}
