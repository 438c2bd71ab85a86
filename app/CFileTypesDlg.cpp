#include "CFileTypesDlg.h"

#include <stdlib.h>

#include <vector>

#include "../res/resource.h"
#include "msg/MessageSink.h"
#include "trace/SignatureCatalogue.h"
#include "trace/SignatureSelection.h"

namespace {

const TCHAR kHeaderText[] =
    _T("What file types would you like to recover? [Please check file types] and click [Ok] to continue with recovery.");
const TCHAR kNothingTicked[] = _T("Please select a file types and then \r\nclick [Next] to continue with recovery.");
const int kDefaultSizeMB = 2;
const COLORREF kSkinBackground = RGB(242, 242, 242);

// The folder of the running program, with its trailing backslash.
CString ModuleFolder()
{
    TCHAR szPath[MAX_PATH] = {};
    DWORD n = ::GetModuleFileName(NULL, szPath, MAX_PATH);
    CString strPath(szPath, n < MAX_PATH ? (int)n : 0);
    return strPath.Left(strPath.ReverseFind(_T('\\')) + 1);
}

}  // namespace

BEGIN_MESSAGE_MAP(CFileTypesDlg, CDialog)
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CFileTypesDlg::CFileTypesDlg(CWnd* pParent)
    : CDialog(IDD_FILE_TYPES, pParent), m_strCatalogueFolder(ModuleFolder()), m_hSkin(NULL)
{
}

CFileTypesDlg::~CFileTypesDlg()
{
    if (m_hSkin != NULL)
        ::DeleteObject(m_hSkin);
}

void CFileTypesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE_TYPES_HEADER, m_Header);
    DDX_Control(pDX, IDC_FILE_TYPES_TREE, m_Tree);
    DDX_Control(pDX, IDC_FILE_TYPES_SIZE_LABEL, m_SizeLabel);
    DDX_Control(pDX, IDC_FILE_TYPES_SIZE, m_SizeCombo);
    DDX_Control(pDX, IDC_FILE_TYPES_SIZE_NOTE, m_SizeNote);
}

BOOL CFileTypesDlg::OnInitDialog()
{
    // The base fills the size choices from the template's initialisation
    // data and binds the controls.
    CDialog::OnInitDialog();

    if (m_hSkin == NULL)
        m_hSkin = (HBITMAP)::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_FILE_TYPES_SKIN), IMAGE_BITMAP, 0,
                                       0, LR_CREATEDIBSECTION);
    if (m_HeaderFont.GetSafeHandle() == NULL)
        m_HeaderFont.CreateFont(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, _T("Arial"));
    m_Header.SetFont(&m_HeaderFont);
    PreselectSize();
    m_Header.SetWindowText(kHeaderText);
    m_Tree.InitTree();
    LoadCatalogue();
    return TRUE;
}

void CFileTypesDlg::PreselectSize()
{
    // The size chosen last; "2 MB" before any choice.
    CString strItem;
    strItem.Format(_T("%d MB"), g_TraceSizeMB);
    int nIndex = m_SizeCombo.FindStringExact(-1, strItem);
    if (nIndex == CB_ERR)
    {
        strItem.Format(_T("%d MB"), kDefaultSizeMB);
        nIndex = m_SizeCombo.FindStringExact(-1, strItem);
    }
    m_SizeCombo.SetCurSel(nIndex);
}

void CFileTypesDlg::LoadCatalogue()
{
    std::vector<CatalogueRecord> records;
    if (!::LoadCatalogue(CataloguePath((LPCTSTR)m_strCatalogueFolder).c_str(), records))
        return;
    for (const CatalogueRecord& record : records)
        m_Tree.AddCatalogueRecord(record);
    // The root is unchecked here, so this ticks every type.
    HTREEITEM hRoot = m_Tree.GetFileTypesRoot();
    m_Tree.ToggleCheck(hRoot);
    m_Tree.Expand(hRoot, TVE_TOGGLE);
}

void CFileTypesDlg::OnOK()
{
    HTREEITEM hRoot = m_Tree.GetFileTypesRoot();
    if (m_Tree.AreChildrenUnchecked(hRoot))
    {
        ShowMessage(kNothingTicked, MessageKindError);
        return;
    }
    int nSizeMB = kDefaultSizeMB;
    int nIndex = m_SizeCombo.GetCurSel();
    if (nIndex != CB_ERR)
    {
        CString strItem;
        m_SizeCombo.GetLBText(nIndex, strItem);
        nSizeMB = _ttoi(strItem);
    }
    g_TraceSizeMB = nSizeMB;
    // A second File Trace from the same scan step replaces the chosen
    // signatures instead of searching for each of them twice.
    FreeSignatureList();
    m_Tree.BuildSignatureSelection(hRoot);
    CDialog::OnOK();
}

HBRUSH CFileTypesDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // The base lets the transparent labels answer for themselves.
    HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (nCtlColor == CTLCOLOR_DLG)
        return hbr;
    switch (pWnd->GetDlgCtrlID())
    {
    case IDC_FILE_TYPES_SIZE_NOTE:
        // White text straight on the skin.
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(255, 255, 255));
        return (HBRUSH)::GetStockObject(NULL_BRUSH);
    case IDC_FILE_TYPES_HEADER:
    case IDC_FILE_TYPES_SIZE_LABEL:
        return hbr;
    default:
        return ::GetSysColorBrush(COLOR_WINDOW);
    }
}

BOOL CFileTypesDlg::OnEraseBkgnd(CDC* pDC)
{
    BITMAP bm = {};
    CDC dcSkin;
    if (m_hSkin == NULL || !::GetObject(m_hSkin, sizeof(bm), &bm) || !dcSkin.CreateCompatibleDC(pDC))
        return CDialog::OnEraseBkgnd(pDC);
    HGDIOBJ hOld = dcSkin.SelectObject(m_hSkin);
    pDC->BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &dcSkin, 0, 0, SRCCOPY);
    dcSkin.SelectObject(hOld);
    // Other font metrics can make the dialog larger than its skin.
    CRect rectClient;
    GetClientRect(&rectClient);
    int nSaved = pDC->SaveDC();
    pDC->ExcludeClipRect(0, 0, bm.bmWidth, bm.bmHeight);
    pDC->FillSolidRect(&rectClient, kSkinBackground);
    pDC->RestoreDC(nSaved);
    return TRUE;
}
