// CStatusBar: the frame's message line and indicators over the common status
// control; pane 0 shows the frame's prompts.
#include "framestate.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
    ON_MESSAGE(SB_SETTEXT, OnSetPaneTextMsg)
END_MESSAGE_MAP()

// AFX_STATUSPANE::nFlags
const UINT kPaneTextBehind = 0x1;   // the control shows older text
const UINT kPaneOwnerData = 0x2;    // owner-drawn with lOwnerData from SB_SETTEXT
const UINT kPaneTextTypes = SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW;

// Updates one pane from an idle pass: disabled panes show no text.
class CStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pStatusBar = (CStatusBar*)m_pOther;
        UINT nNewStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
        if (!bOn)
            nNewStyle |= SBPS_DISABLED;
        pStatusBar->SetPaneStyle((int)m_nIndex, nNewStyle);
    }
    void SetCheck(int nCheck) override
    {
        CStatusBar* pStatusBar = (CStatusBar*)m_pOther;
        UINT nNewStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
        if (nCheck != 0)
            nNewStyle |= SBPS_POPOUT;
        pStatusBar->SetPaneStyle((int)m_nIndex, nNewStyle);
    }
    void SetText(LPCTSTR lpszText) override
    {
        ((CStatusBar*)m_pOther)->SetPaneText((int)m_nIndex, lpszText);
    }
};

CStatusBar::CStatusBar() : m_nMinHeight(0)
{
    m_cxLeftBorder = 0;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar()
{
    AllocElements(0, 0);
}

BOOL CStatusBar::AllocElements(int nElements, int cbElement)
{
    // The panes hold strings: destroy the old ones and build the new ones.
    for (int i = 0; i < m_nCount; i++)
        GetPanePtr(i)->strText.~CString();
    if (!CControlBar::AllocElements(nElements, cbElement))
        return FALSE;
    for (int i = 0; i < m_nCount; i++)
        new (&GetPanePtr(i)->strText) CString;
    return TRUE;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    dwStyle &= ~CBRS_ALL;
    dwStyle |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (pParentWnd != NULL && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwStyle |= SBARS_SIZEGRIP;
    dwStyle |= dwCtrlStyle;
    AfxInitCommonControls();
    CRect rect;
    rect.SetRectEmpty();
    return CWnd::Create(STATUSCLASSNAMEW, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (!AllocElements(nIDCount, sizeof(AFX_STATUSPANE)))
        return FALSE;
    BOOL bResult = TRUE;
    CClientDC dcScreen(NULL);
    HFONT hFont = m_hWnd != NULL ? (HFONT)SendMessage(WM_GETFONT) : NULL;
    HGDIOBJ hOldFont = hFont != NULL ? dcScreen.SelectObject((HGDIOBJ)hFont) : NULL;
    for (int i = 0; i < nIDCount; i++)
    {
        AFX_STATUSPANE* pSBP = GetPanePtr(i);
        pSBP->nID = lpIDArray != NULL ? lpIDArray[i] : 0;
        pSBP->nFlags = 0;
        if (pSBP->nID != 0)
        {
            // Indicators are as wide as their string, which must exist.
            if (!pSBP->strText.LoadString(pSBP->nID))
            {
                bResult = FALSE;
                break;
            }
            pSBP->cxText = dcScreen.GetTextExtent(pSBP->strText).cx;
        }
        else
        {
            // A plain pane; the first one takes the remaining width.
            pSBP->cxText = ::GetSystemMetrics(SM_CXBORDER) * 4;
            if (i == 0)
                pSBP->nStyle |= (SBPS_STRETCH | SBPS_NOBORDERS);
        }
    }
    if (hOldFont != NULL)
        dcScreen.SelectObject(hOldFont);
    if (bResult && m_hWnd != NULL)
        UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_nCount; i++)
    {
        if (GetPanePtr(i)->nID == nIDFind)
            return i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? GetPanePtr(nIndex)->nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SendMessage(m_hWnd, SB_GETRECT, nIndex, (LPARAM)lpRect);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? GetPanePtr(nIndex)->nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return;
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    if (pSBP->nStyle == nStyle)
        return;
    // A change of the stretch pane changes every pane's place.
    BOOL bRects = ((pSBP->nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    pSBP->nStyle = nStyle;
    if (m_hWnd != NULL)
    {
        if (bRects)
            UpdateAllPanes(TRUE, FALSE);
        UpdatePaneText(nIndex);
    }
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return;
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    nID = pSBP->nID;
    nStyle = pSBP->nStyle;
    cxWidth = pSBP->cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return;
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    pSBP->nID = nID;
    pSBP->nStyle = nStyle;
    pSBP->cxText = cxWidth;
    if (m_hWnd != NULL)
    {
        UpdateAllPanes(TRUE, FALSE);
        UpdatePaneText(nIndex);
    }
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    if (nIndex >= 0 && nIndex < m_nCount)
        rString = GetPanePtr(nIndex)->strText;
    else
        rString.Empty();
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    CString str;
    GetPaneText(nIndex, str);
    return str;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return FALSE;
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    if (lpszNewText == NULL)
        lpszNewText = _T("");
    if (pSBP->strText == lpszNewText && (pSBP->nFlags & (kPaneTextBehind | kPaneOwnerData)) == 0)
        return TRUE;
    pSBP->strText = lpszNewText;
    pSBP->nFlags &= ~kPaneOwnerData;   // the text is the owner-drawn pane's data now
    if (bUpdate && m_hWnd != NULL)
        UpdatePaneText(nIndex);
    else
        pSBP->nFlags |= kPaneTextBehind;
    return TRUE;
}

void CStatusBar::UpdatePaneText(int nIndex)
{
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    pSBP->nFlags &= ~kPaneTextBehind;
    UINT nType = pSBP->nStyle & kPaneTextTypes;
    // A disabled pane shows nothing; an owner-drawn pane passes its text as
    // data. Data its owner gave it through SB_SETTEXT stays, owner-drawn,
    // whatever style the pane is given later, until new text replaces it.
    LPARAM lParam = (LPARAM)((pSBP->nStyle & SBPS_DISABLED) ? _T("") : (LPCTSTR)pSBP->strText);
    if (pSBP->nFlags & kPaneOwnerData)
    {
        nType |= SBT_OWNERDRAW;
        lParam = pSBP->lOwnerData;
    }
    // Straight to the control: OnSetPaneTextMsg is for text from outside.
    DefWindowProc(SB_SETTEXT, (WPARAM)(nIndex | nType), lParam);
}

LRESULT CStatusBar::OnSetPaneTextMsg(WPARAM wParam, LPARAM lParam)
{
    // Text or owner data given to the control directly becomes the pane's,
    // so later updates of the bar (new widths, styles, idle updates) show it
    // the same way instead of putting the indicator text back.
    int nIndex = (int)(wParam & 0xFF);
    if (nIndex < m_nCount)
    {
        AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
        UINT nType = (UINT)wParam & kPaneTextTypes;
        pSBP->nStyle = (pSBP->nStyle & ~kPaneTextTypes) | nType;
        pSBP->nFlags &= ~(kPaneTextBehind | kPaneOwnerData);
        if (nType & SBT_OWNERDRAW)
        {
            pSBP->lOwnerData = lParam;
            pSBP->nFlags |= kPaneOwnerData;
        }
        else
        {
            pSBP->strText = lParam != 0 ? (LPCTSTR)lParam : _T("");
        }
    }
    return Default();
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (bUpdateRects && m_nCount > 0)
    {
        // Right edges: fixed panes at their width, the stretch pane takes the rest.
        int nBorders[3] = { 0, 0, 0 };
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)nBorders);
        int cxExtra = nBorders[2] + ::GetSystemMetrics(SM_CXEDGE) * 2;
        CRect rectClient;
        GetClientRect(rectClient);
        int cxGrip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
        int cxFixed = 0;
        int nStretch = 0;
        for (int i = 0; i < m_nCount; i++)
        {
            AFX_STATUSPANE* pSBP = GetPanePtr(i);
            if (pSBP->nStyle & SBPS_STRETCH)
                nStretch++;
            else
                cxFixed += pSBP->cxText + cxExtra;
        }
        int cxStretch = rectClient.Width() - cxFixed - cxGrip - nBorders[0];
        if (nStretch > 0)
            cxStretch /= nStretch;
        std::vector<int> rights((size_t)m_nCount);
        int nRight = nBorders[0];
        for (int i = 0; i < m_nCount; i++)
        {
            AFX_STATUSPANE* pSBP = GetPanePtr(i);
            int cx = (pSBP->nStyle & SBPS_STRETCH) ? (cxStretch > pSBP->cxText ? cxStretch : pSBP->cxText)
                                                   : pSBP->cxText + cxExtra;
            nRight += cx;
            rights[(size_t)i] = nRight;
        }
        ::SendMessage(m_hWnd, SB_SETPARTS, (WPARAM)m_nCount, (LPARAM)rights.data());
    }
    if (bUpdateText)
    {
        for (int i = 0; i < m_nCount; i++)
            UpdatePaneText(i);
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    // Text height, the control's vertical borders and the bar's own borders.
    CClientDC dc(NULL);
    HFONT hFont = m_hWnd != NULL ? (HFONT)SendMessage(WM_GETFONT) : NULL;
    HGDIOBJ hOldFont = hFont != NULL ? dc.SelectObject((HGDIOBJ)hFont) : NULL;
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    if (hOldFont != NULL)
        dc.SelectObject(hOldFont);
    int nBorders[3] = { 0, 0, 0 };
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)nBorders);
    CRect rectSize;
    rectSize.SetRectEmpty();
    CalcInsideRect(rectSize, bHorz);
    int cyText = tm.tmHeight + ::GetSystemMetrics(SM_CYEDGE) * 2 + nBorders[1] * 2;
    size.cy = cyText - rectSize.Height();
    if (size.cy < m_nMinHeight)
        size.cy = m_nMinHeight;
    return size;
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    if (m_nCount > 0)
        UpdateAllPanes(TRUE, FALSE);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    // The window text is the plain pane (id 0), normally pane 0.
    int nIndex = CommandToIndex(0);
    if (nIndex < 0)
        return -1;
    return SetPaneText(nIndex, (LPCTSTR)lParam) ? 0 : -1;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    int nIndex = CommandToIndex(0);
    if (nIndex < 0 || wParam == 0 || lParam == 0)
        return 0;
    const CString& str = GetPanePtr(nIndex)->strText;
    int nLen = str.GetLength();
    if (nLen > (int)wParam - 1)
        nLen = (int)wParam - 1;
    memcpy((LPTSTR)lParam, (LPCTSTR)str, (size_t)nLen * sizeof(TCHAR));
    ((LPTSTR)lParam)[nLen] = 0;
    return nLen;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    int nIndex = CommandToIndex(0);
    return nIndex < 0 ? 0 : GetPanePtr(nIndex)->strText.GetLength();
}

LRESULT CStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    LRESULT lResult = Default();
    m_nMinHeight = (int)wParam;
    return lResult;
}

BOOL CStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM)
    {
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        if (pResult != NULL)
            *pResult = TRUE;
        return TRUE;
    }
    return CControlBar::OnChildNotify(message, wParam, lParam, pResult);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_nCount;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = GetPanePtr((int)state.m_nIndex)->nID;
        // The bar's own handlers first, then the frame's.
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
