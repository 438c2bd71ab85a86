// The library's status bar: panes laid out on the system status control,
// texts kept by the bar, drawing by the paint manager when themed.
#include "CVZPStatusBar.h"

#include <vector>

#include "CVZPColorManager.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPDoubleBufferDC.h"
#include "CVZPGlobalUIData.h"

// ---------------------------------------------------------------------------
// CVZPStatusBarPane

IMPLEMENT_DYNAMIC(CVZPStatusBarPane, CCmdTarget)

CVZPStatusBarPane::CVZPStatusBarPane()
    : m_nID(0), m_cxText(0), m_nStyle(0), m_nUpdateFlags(0), m_bVisible(TRUE), m_clrText((COLORREF)-1),
      m_clrBackground((COLORREF)-1), m_hWndPane(NULL), m_nAlignment(0), m_pStatusBar(NULL), m_nIndex(0), m_nPart(0)
{
}

CFont* CVZPStatusBarPane::GetTextFont()
{
    return m_pStatusBar != NULL ? m_pStatusBar->GetFont() : NULL;
}

CVZPImageManagerIcon* CVZPStatusBarPane::GetIcon()
{
    return NULL;
}

// ---------------------------------------------------------------------------
// Idle update of the panes: a disabled pane shows no text.

namespace {

class CVZPStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CVZPStatusBarPane* pPane = ((CVZPStatusBar*)m_pOther)->GetPane((int)m_nIndex);
        UINT nStyle = pPane->m_nStyle & ~SBPS_DISABLED;
        if (!bOn)
            nStyle |= SBPS_DISABLED;
        if (nStyle != pPane->m_nStyle)
        {
            pPane->m_nStyle = nStyle;
            pPane->m_nUpdateFlags |= CVZPStatusBarPane::updateText;
            m_pOther->Invalidate(FALSE);
        }
    }
    void SetCheck(int nCheck) override
    {
        CVZPStatusBarPane* pPane = ((CVZPStatusBar*)m_pOther)->GetPane((int)m_nIndex);
        UINT nStyle = pPane->m_nStyle & ~SBPS_POPOUT;
        if (nCheck != 0)
            nStyle |= SBPS_POPOUT;
        if (nStyle != pPane->m_nStyle)
        {
            pPane->m_nStyle = nStyle;
            pPane->m_nUpdateFlags |= CVZPStatusBarPane::updateText;
            m_pOther->Invalidate(FALSE);
        }
    }
    void SetText(LPCTSTR lpszText) override
    {
        ((CVZPStatusBar*)m_pOther)->SetPaneText((int)m_nIndex, lpszText);
    }
};

// Horizontal width of a pane's frame inside its part.
const int kPaneBorder = 6;

}  // namespace

// ---------------------------------------------------------------------------
// CVZPStatusBar

IMPLEMENT_DYNAMIC(CVZPStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CVZPStatusBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_NCHITTEST()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CVZPStatusBar::CVZPStatusBar()
    : m_nMinHeight(0), m_bDrawDisabledText(FALSE), m_pCommandBars(NULL), m_bDrawThemed(FALSE)
{
    m_cxLeftBorder = 0;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
    LOGFONT lf = {};
    CVZPGlobalUIData* pData = GetGlobalUIData();
    if (pData->m_fontStatus.GetSafeHandle() != NULL && pData->m_fontStatus.GetLogFont(&lf))
        m_font.CreateFontIndirect(&lf);
    else
        m_font.CreateStockObject(DEFAULT_GUI_FONT);
}

CVZPStatusBar::~CVZPStatusBar()
{
    AllocPanes(0);
}

BOOL CVZPStatusBar::AllocPanes(int nCount)
{
    for (int i = 0; i < m_nCount; i++)
        GetPaneArray()[i]->InternalRelease();
    if (!AllocElements(nCount, sizeof(CVZPStatusBarPane*)))
        return FALSE;
    for (int i = 0; i < m_nCount; i++)
    {
        CVZPStatusBarPane* pPane = new CVZPStatusBarPane;
        pPane->m_pStatusBar = this;
        pPane->m_nIndex = i;
        GetPaneArray()[i] = pPane;
    }
    return TRUE;
}

BOOL CVZPStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    dwStyle &= ~CBRS_ALL;
    dwStyle |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (pParentWnd != NULL && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwStyle |= SBARS_SIZEGRIP;
    AfxInitCommonControls();
    CRect rect;
    rect.SetRectEmpty();
    return CWnd::Create(STATUSCLASSNAMEW, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CVZPStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (!AllocPanes(nIDCount))
        return FALSE;
    BOOL bResult = TRUE;
    CClientDC dcScreen(NULL);
    CFont* pOldFont = dcScreen.SelectObject(&m_font);
    BOOL bStretchGiven = FALSE;
    for (int i = 0; i < nIDCount; i++)
    {
        CVZPStatusBarPane* pPane = GetPaneArray()[i];
        pPane->m_nID = lpIDArray != NULL ? lpIDArray[i] : 0;
        if (pPane->m_nID != 0)
        {
            if (!pPane->m_strText.LoadString(pPane->m_nID))
                bResult = FALSE;
            pPane->m_cxText = dcScreen.GetTextExtent(pPane->m_strText).cx;
        }
        else
        {
            pPane->m_cxText = ::GetSystemMetrics(SM_CXBORDER) * 4;
            if (!bStretchGiven)
            {
                pPane->m_nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
                bStretchGiven = TRUE;
            }
        }
        pPane->m_nUpdateFlags |= CVZPStatusBarPane::updateText;
    }
    dcScreen.SelectObject(pOldFont);
    if (m_hWnd != NULL)
        UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

void CVZPStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    CVZPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == NULL)
        return;
    pPane->m_nID = nID;
    pPane->m_nStyle = nStyle;
    pPane->m_cxText = cxWidth;
    pPane->m_nUpdateFlags |= CVZPStatusBarPane::updateText;
    if (m_hWnd != NULL)
        UpdateAllPanes(TRUE, TRUE);
}

CVZPStatusBarPane* CVZPStatusBar::GetPane(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    return GetPaneArray()[nIndex];
}

int CVZPStatusBar::GetVisiblePaneCount() const
{
    int nCount = 0;
    for (int i = 0; i < m_nCount; i++)
        nCount += GetPaneArray()[i]->m_bVisible ? 1 : 0;
    return nCount;
}

int CVZPStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_nCount; i++)
    {
        if (GetPaneArray()[i]->m_nID == nIDFind)
            return i;
    }
    return -1;
}

BOOL CVZPStatusBar::HasSizeGrip() const
{
    return m_hWnd != NULL && (GetStyle() & SBARS_SIZEGRIP) != 0;
}

void CVZPStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    CVZPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == NULL || m_hWnd == NULL)
        return;
    if (!::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)pPane->m_nPart, (LPARAM)lpRect))
    {
        ::SetRectEmpty(lpRect);
        return;
    }
    // The last visible pane reaches past the control's last part: a stretch
    // pane to the client's edge (short of the grip), any other by its frame.
    int nLast = -1;
    for (int i = 0; i < m_nCount; i++)
    {
        if (GetPaneArray()[i]->m_bVisible)
            nLast = i;
    }
    if (nLast != nIndex)
        return;
    if (pPane->m_nStyle & SBPS_STRETCH)
    {
        CRect rcClient;
        ::GetClientRect(m_hWnd, &rcClient);
        lpRect->right = rcClient.right;
        if (HasSizeGrip())
            lpRect->right -= ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXEDGE);
    }
    else
    {
        lpRect->right = lpRect->left + pPane->m_cxText + 3 * ::GetSystemMetrics(SM_CXEDGE);
    }
}

BOOL CVZPStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    CVZPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == NULL)
        return FALSE;
    if (lpszNewText == NULL)
        lpszNewText = _T("");
    if ((pPane->m_nUpdateFlags & CVZPStatusBarPane::updateText) == 0 && pPane->m_strText == lpszNewText)
        return TRUE;
    pPane->m_strText = lpszNewText;
    if (!pPane->m_bVisible)
        return FALSE;
    if (!bUpdate || m_hWnd == NULL)
    {
        pPane->m_nUpdateFlags |= CVZPStatusBarPane::updateText;
        return TRUE;
    }
    pPane->m_nUpdateFlags &= ~CVZPStatusBarPane::updateText;
    LPCTSTR lpszShown = (pPane->m_nStyle & SBPS_DISABLED) ? NULL : (LPCTSTR)pPane->m_strText;
    SendMessage(SB_SETTEXT, (WPARAM)((UINT)pPane->m_nPart | (pPane->m_nStyle & 0xFFFF)), (LPARAM)lpszShown);
    Invalidate(FALSE);
    return TRUE;
}

void CVZPStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == NULL)
        return;
    if (bUpdateRects)
    {
        CRect rect;
        GetWindowRect(rect);
        rect.OffsetRect(-rect.left, -rect.top);
        CalcInsideRect(rect, TRUE);
        int nBorders[3] = {0, 0, 0};
        SendMessage(SB_GETBORDERS, 0, (LPARAM)nBorders);
        CWnd* pParent = GetParent();
        if (HasSizeGrip() && (pParent == NULL || !pParent->IsZoomed()))
            rect.right -= 2 * ::GetSystemMetrics(SM_CXBORDER) + nBorders[0] + ::GetSystemMetrics(SM_CXVSCROLL);

        int nExtra = rect.Width() + nBorders[2];
        int nParts = 0;
        int nStretch = 0;
        for (int i = 0; i < m_nCount; i++)
        {
            CVZPStatusBarPane* pPane = GetPaneArray()[i];
            pPane->m_nIndex = i;
            if (!pPane->m_bVisible)
                continue;
            pPane->m_nPart = nParts++;
            if (pPane->m_nStyle & SBPS_STRETCH)
                nStretch++;
            nExtra -= pPane->m_cxText + nBorders[2] + kPaneBorder;
        }

        std::vector<int> rights((size_t)(nParts > 0 ? nParts : 1));
        int x = nBorders[0];
        for (int i = 0; i < m_nCount; i++)
        {
            CVZPStatusBarPane* pPane = GetPaneArray()[i];
            if (!pPane->m_bVisible)
                continue;
            x += pPane->m_cxText + kPaneBorder;
            if ((pPane->m_nStyle & SBPS_STRETCH) && nExtra > 0)
            {
                const int nAdd = nExtra / nStretch;
                x += nAdd;
                nExtra -= nAdd;
            }
            if (pPane->m_nStyle & SBPS_STRETCH)
                nStretch--;
            rights[(size_t)pPane->m_nPart] = x;
            x += nBorders[2];
        }
        if (nParts > 0)
            SendMessage(SB_SETPARTS, (WPARAM)nParts, (LPARAM)rights.data());
        PositionControls();
    }
    if (bUpdateText)
    {
        for (int i = 0; i < m_nCount; i++)
        {
            CVZPStatusBarPane* pPane = GetPaneArray()[i];
            if (pPane->m_bVisible && (pPane->m_nUpdateFlags & CVZPStatusBarPane::updateText))
                SetPaneText(i, pPane->m_strText, TRUE);
        }
    }
}

void CVZPStatusBar::PositionControls()
{
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    for (int i = 0; i < m_nCount; i++)
    {
        CVZPStatusBarPane* pPane = GetPaneArray()[i];
        if (!::IsWindow(pPane->m_hWndPane))
            continue;
        CRect rc;
        GetItemRect(i, rc);
        if ((pPane->m_nStyle & SBPS_NOBORDERS) == 0)
            rc.DeflateRect(cxEdge, cxEdge);
        ::MoveWindow(pPane->m_hWndPane, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
    }
}

CVZPCommandBarPaintManager* CVZPStatusBar::GetPaintManager() const
{
    if (!m_bDrawThemed)
        return NULL;
    if (m_pCommandBars != NULL)
        return m_pCommandBars->GetPaintManager();
    if (VZPPaintManager() == NULL)
        CVZPCommandBarPaintManager::SetTheme(0);
    return VZPPaintManager();
}

CSize CVZPStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CClientDC dc(NULL);
    CFont* pOldFont = dc.SelectObject(&m_font);
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOldFont);
    int nBorders[3] = {0, 0, 0};
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)nBorders);
    CRect rectSize;
    rectSize.SetRectEmpty();
    CalcInsideRect(rectSize, bHorz);
    size.cy = tm.tmHeight + ::GetSystemMetrics(SM_CYEDGE) * 2 + nBorders[1] * 2 - rectSize.Height();
    if (size.cy < m_nMinHeight)
        size.cy = m_nMinHeight;
    return size;
}

void CVZPStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CVZPStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_nCount;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = GetPaneArray()[state.m_nIndex]->m_nID;
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CVZPStatusBar::DrawPaneEntry(CDC* pDC, int nIndex, CRect rcItem)
{
    CVZPCommandBarPaintManager* pPaintManager = GetPaintManager();
    CVZPStatusBarPane* pPane = GetPane(nIndex);
    if (pPaintManager != NULL && pPane != NULL)
        pPaintManager->DrawStatusBarPaneEntry(pDC, rcItem, pPane);
}

void CVZPStatusBar::DrawStretch(CDC* pDC, CRect rcClient)
{
    CVZPCommandBarPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->DrawStatusBarGripper(pDC, rcClient);
}

int CVZPStatusBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle());
    SendMessage(SB_SETMINHEIGHT, 20);
    return 0;
}

UINT CVZPStatusBar::OnNcHitTest(CPoint point)
{
    (void)point;
    const UINT nHit = (UINT)Default();
    return nHit == HTBOTTOMRIGHT ? nHit : (UINT)HTCLIENT;
}

void CVZPStatusBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    (void)bCalcValidRects;
    CRect rect;
    rect.SetRectEmpty();
    CControlBar::CalcInsideRect(rect, TRUE);
    lpncsp->rgrc[0].left += rect.left;
    lpncsp->rgrc[0].top += rect.top - 2;
    lpncsp->rgrc[0].right += rect.right;
    lpncsp->rgrc[0].bottom += rect.bottom;
}

void CVZPStatusBar::OnNcPaint()
{
    EraseNonClient();
}

void CVZPStatusBar::OnSize(UINT nType, int cx, int cy)
{
    (void)nType;
    (void)cx;
    (void)cy;
    Default();
    UpdateAllPanes(TRUE, FALSE);
    Invalidate(FALSE);
}

void CVZPStatusBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    // The borders are the non-client area's business here: no frame change
    // for a new size.
    const DWORD dwBorders = m_dwStyle & CBRS_BORDER_ANY;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    CControlBar::OnWindowPosChanging(lpWndPos);
    m_dwStyle |= dwBorders;
}

LRESULT CVZPStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    const int nIndex = CommandToIndex(0);
    if (nIndex < 0)
        return -1;
    return SetPaneText(nIndex, (LPCTSTR)lParam, TRUE) ? 0 : -1;
}

LRESULT CVZPStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0 || lParam == 0)
        return 0;
    LPTSTR lpszDest = (LPTSTR)lParam;
    const int nIndex = CommandToIndex(0);
    if (nIndex < 0)
    {
        *lpszDest = 0;
        return 1;
    }
    const CString& str = GetPaneArray()[nIndex]->m_strText;
    int nLen = str.GetLength();
    if (nLen > (int)wParam - 1)
        nLen = (int)wParam - 1;
    memcpy(lpszDest, (LPCTSTR)str, (size_t)nLen * sizeof(TCHAR));
    lpszDest[nLen] = 0;
    return nLen + 1;
}

LRESULT CVZPStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    const int nIndex = CommandToIndex(0);
    return nIndex < 0 ? 0 : GetPaneArray()[nIndex]->m_strText.GetLength();
}

LRESULT CVZPStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    m_nMinHeight = (int)wParam;
    return lResult;
}

void CVZPStatusBar::OnPaint()
{
    UpdateAllPanes(FALSE, TRUE);
    CVZPCommandBarPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == NULL)
    {
        Default();
        return;
    }
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CVZPDoubleBufferDC dc(dcPaint.m_hDC, rcClient);
    pPaintManager->FillStatusBar(&dc, this);
    int nLast = -1;
    for (int i = 0; i < m_nCount; i++)
    {
        if (GetPaneArray()[i]->m_bVisible)
            nLast = i;
    }
    for (int i = 0; i < m_nCount; i++)
    {
        CVZPStatusBarPane* pPane = GetPaneArray()[i];
        if (!pPane->m_bVisible)
            continue;
        CRect rcItem;
        GetItemRect(i, rcItem);
        if ((pPane->m_nStyle & SBPS_NOBORDERS) == 0)
            pPaintManager->DrawStatusBarPaneBorder(&dc, rcItem, i == nLast);
        DrawPaneEntry(&dc, i, rcItem);
    }
    CWnd* pParent = GetParent();
    if (pParent != NULL && (pParent->GetStyle() & WS_THICKFRAME) && HasSizeGrip() && !pParent->IsZoomed())
        DrawStretch(&dc, rcClient);
}

BOOL CVZPStatusBar::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    if (GetPaintManager() != NULL)
        return TRUE;
    return (BOOL)Default();
}

// ---------------------------------------------------------------------------
// CVZPStatusBarPaneWnd

IMPLEMENT_DYNAMIC(CVZPStatusBarPaneWnd, CWnd)

BEGIN_MESSAGE_MAP(CVZPStatusBarPaneWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_ENABLE()
END_MESSAGE_MAP()

BOOL CVZPStatusBarPaneWnd::Create(LPCTSTR lpszText, CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_BYTEALIGNCLIENT, 0, 0, 0);
    if (!CWnd::Create(lpszClass, lpszText, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    m_strWindowText = lpszText != NULL ? lpszText : _T("");
    return TRUE;
}

void CVZPStatusBarPaneWnd::OnDraw(CDC* pDC, CRect rcClient)
{
    (void)pDC;
    (void)rcClient;
}

void CVZPStatusBarPaneWnd::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CVZPDoubleBufferDC dc(dcPaint.m_hDC, rcClient);
    dc.FillSolidRect(rcClient, GetColorManager()->GetColor(COLOR_BTNFACE));
    OnDraw(&dc, rcClient);
}

BOOL CVZPStatusBarPaneWnd::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

void CVZPStatusBarPaneWnd::OnEnable(BOOL bEnable)
{
    (void)bEnable;
    Default();
    Invalidate(TRUE);
    UpdateWindow();
}
