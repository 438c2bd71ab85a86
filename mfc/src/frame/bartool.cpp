// CToolBar: buttons over the common tool bar control, enabled and checked
// from the owner frame's update handlers.
#include "framestate.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

// Updates one button from an idle pass.
class CToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CToolBar* pToolBar = (CToolBar*)m_pOther;
        UINT nNewStyle = pToolBar->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
        if (!bOn)
            nNewStyle |= TBBS_DISABLED;
        pToolBar->SetButtonStyle((int)m_nIndex, nNewStyle);
    }
    void SetCheck(int nCheck) override
    {
        CToolBar* pToolBar = (CToolBar*)m_pOther;
        UINT nNewStyle = pToolBar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nNewStyle |= TBBS_CHECKED;
        else if (nCheck == 2)
            nNewStyle |= TBBS_INDETERMINATE;
        pToolBar->SetButtonStyle((int)m_nIndex, nNewStyle | TBBS_CHECKBOX);
    }
    void SetText(LPCTSTR) override {}
};

CToolBar::CToolBar()
    : m_hbmImageWell(NULL), m_hRsrcImageWell(NULL), m_hInstImageWell(NULL), m_sizeButton(23, 22),
      m_sizeImage(16, 15)
{
    m_cxLeftBorder = m_cxRightBorder = 1;
    m_cyTopBorder = m_cyBottomBorder = 1;
}

CToolBar::~CToolBar()
{
    if (m_hbmImageWell != NULL)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder),
                    nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    SetBorders(rcBorders);
    m_dwStyle = dwStyle & CBRS_ALL;
    dwStyle &= ~CBRS_ALL;
    dwStyle |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE | dwCtrlStyle;
    if (m_dwStyle & CBRS_TOOLTIPS)
        dwStyle |= TBSTYLE_TOOLTIPS;
    AfxInitCommonControls();
    CRect rect;
    rect.SetRectEmpty();
    if (!CWnd::Create(TOOLBARCLASSNAMEW, NULL, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

void CToolBar::SetBarStyle(DWORD dwStyle)
{
    CControlBar::SetBarStyle(dwStyle);
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd != NULL)
    {
        SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
        SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
        Invalidate();
    }
}

void CToolBar::SetHeight(int cyHeight)
{
    int nHeight = cyHeight - m_cyTopBorder - m_cyBottomBorder;
    if (nHeight > 0)
        SetSizes(CSize(m_sizeButton.cx, nHeight), m_sizeImage);
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    HBITMAP hbm = (HBITMAP)::LoadImage(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    if (hbm == NULL)
        return FALSE;
    m_hInstImageWell = hInst;
    return SetBitmap(hbm);
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    if (m_hbmImageWell != NULL && m_hbmImageWell != hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmImageWell;
    BITMAP bm = {};
    if (hbmImageWell == NULL || !::GetObject(hbmImageWell, sizeof(bm), &bm) || m_sizeImage.cx <= 0)
        return FALSE;
    TBADDBITMAP tbab = { NULL, (UINT_PTR)hbmImageWell };
    int nImages = bm.bmWidth / m_sizeImage.cx;
    return SendMessage(TB_ADDBITMAP, (WPARAM)nImages, (LPARAM)&tbab) != -1;
}

BOOL AFXAPI AfxReadToolBarResource(LPCTSTR lpszResourceName, AFX_TOOLBAR_RESOURCE& toolbar)
{
    // WORD version (1), width, height, count, then the command ids.
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC hRsrc = ::FindResource(hInst, lpszResourceName, RT_TOOLBAR);
    if (hRsrc == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    DWORD cbSize = ::SizeofResource(hInst, hRsrc);
    const WORD* pData = hGlobal != NULL ? (const WORD*)::LockResource(hGlobal) : NULL;
    if (pData == NULL || cbSize < 4 * sizeof(WORD) || pData[0] != 1)
        return FALSE;
    WORD wCount = pData[3];
    if ((cbSize - 4 * sizeof(WORD)) / sizeof(WORD) < wCount)
        return FALSE;
    toolbar.wVersion = pData[0];
    toolbar.wWidth = pData[1];
    toolbar.wHeight = pData[2];
    toolbar.ids.assign(pData + 4, pData + 4 + wCount);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    AFX_TOOLBAR_RESOURCE toolbar;
    if (!AfxReadToolBarResource(lpszResourceName, toolbar))
        return FALSE;
    if (!SetButtons(toolbar.ids.data(), (int)toolbar.ids.size()))
        return FALSE;
    CSize sizeImage(toolbar.wWidth, toolbar.wHeight);
    CSize sizeButton(sizeImage.cx + 7, sizeImage.cy + 7);
    SetSizes(sizeButton, sizeImage);
    return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    // Remove the old buttons, then add the new ones; the bar's count follows
    // the control's.
    while (SendMessage(TB_DELETEBUTTON, 0) != 0)
    {
    }
    m_nCount = 0;
    int iImage = 0;
    for (int i = 0; i < nIDCount; i++)
    {
        TBBUTTON button = {};
        button.fsState = TBSTATE_ENABLED;
        if (lpIDArray == NULL)
        {
            button.fsStyle = TBSTYLE_SEP;
        }
        else if ((button.idCommand = (int)lpIDArray[i]) == 0)
        {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = 8;   // separator width
        }
        else
        {
            button.fsStyle = TBSTYLE_BUTTON;
            button.iBitmap = iImage++;
        }
        if (!SendMessage(TB_ADDBUTTONS, 1, (LPARAM)&button))
            return FALSE;
        m_nCount++;
    }
    return TRUE;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return (int)::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0);
}

void CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const
{
    memset(pButton, 0, sizeof(TBBUTTON));
    ::SendMessage(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)pButton);
    pButton->fsState ^= TBSTATE_ENABLED;   // TBBS_DISABLED is the inverted bit
}

void CToolBar::SetButton(int nIndex, TBBUTTON* pButton)
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    pButton->fsState ^= TBSTATE_ENABLED;
    if (button.fsStyle != pButton->fsStyle || button.idCommand != pButton->idCommand ||
        button.iBitmap != pButton->iBitmap)
    {
        // Anything but the state: replace the button.
        SendMessage(TB_DELETEBUTTON, (WPARAM)nIndex);
        SendMessage(TB_INSERTBUTTON, (WPARAM)nIndex, (LPARAM)pButton);
    }
    else if (((button.fsState ^ TBSTATE_ENABLED) & 0xFF) != (pButton->fsState & 0xFF))
    {
        SendMessage(TB_SETSTATE, (WPARAM)pButton->idCommand, MAKELPARAM(pButton->fsState, 0));
    }
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    return (UINT)button.idCommand;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessage(m_hWnd, TB_GETITEMRECT, nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    return MAKELONG(button.fsStyle, button.fsState);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    if (button.fsStyle != (BYTE)LOWORD(nStyle) || button.fsState != (BYTE)HIWORD(nStyle))
    {
        button.fsStyle = (BYTE)LOWORD(nStyle);
        button.fsState = (BYTE)HIWORD(nStyle);
        SetButton(nIndex, &button);
    }
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    nID = (UINT)button.idCommand;
    nStyle = MAKELONG(button.fsStyle, button.fsState);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    button.idCommand = (int)nID;
    button.iBitmap = iImage;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)HIWORD(nStyle);
    SetButton(nIndex, &button);
}

BOOL CToolBar::SetButtonText(int nIndex, LPCTSTR lpszText)
{
    TBBUTTONINFO info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = (LPTSTR)lpszText;
    return (BOOL)SendMessage(TB_SETBUTTONINFO, (WPARAM)nIndex, (LPARAM)&info);
}

CString CToolBar::GetButtonText(int nIndex) const
{
    TCHAR szText[256] = {};
    TBBUTTONINFO info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = szText;
    info.cchText = _countof(szText);
    ::SendMessage(m_hWnd, TB_GETBUTTONINFO, (WPARAM)nIndex, (LPARAM)&info);
    return CString(szText);
}

CSize CToolBar::CalcSize(int nCount) const
{
    // The union of the visible buttons' rectangles.
    CSize size(0, 0);
    for (int i = 0; i < nCount; i++)
    {
        TBBUTTON button;
        GetButton(i, &button);
        if (button.fsState & TBSTATE_HIDDEN)
            continue;
        CRect rect;
        GetItemRect(i, rect);
        if (rect.right > size.cx)
            size.cx = rect.right;
        if (rect.bottom > size.cy)
            size.cy = rect.bottom;
    }
    if (size.cy == 0)
        size.cy = m_sizeButton.cy;
    return size;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    int nCount = m_hWnd != NULL ? (int)SendMessage(TB_BUTTONCOUNT) : 0;
    CSize sizeButtons = CalcSize(nCount);
    CRect rect;
    rect.SetRectEmpty();
    CalcInsideRect(rect, bHorz);
    CSize size;
    if (bHorz)
    {
        size.cx = bStretch ? 32767 : sizeButtons.cx - rect.Width();
        size.cy = sizeButtons.cy - rect.Height();
    }
    else
    {
        size.cx = m_sizeButton.cx - rect.Width();
        size.cy = bStretch ? 32767 : sizeButtons.cy - rect.Height();
    }
    return size;
}

CSize CToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    (void)nLength;
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)SendMessage(TB_BUTTONCOUNT);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        TBBUTTON button;
        GetButton((int)state.m_nIndex, &button);
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        state.m_nID = (UINT)button.idCommand;
        // The bar's own handlers first, then the frame's.
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    // Controls placed on the bar.
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls();
    if (!CWnd::Create(TOOLBARCLASSNAMEW, NULL, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetButtonStructSize(sizeof(TBBUTTON));
    return TRUE;
}
