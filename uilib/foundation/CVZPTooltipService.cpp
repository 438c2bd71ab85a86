#include "CVZPTooltipService.h"

#include "CVZPColorManager.h"
#include "CVZPRichToolTipWnd.h"
#include "CVZPSchemeToolTipWnd.h"
#include "CVZPToolTipWnd.h"
#include "CVZPVisualStyle.h"
#include "VZPDrawHelpers.h"

#include <stdlib.h>

namespace {

// Tool flags of the library, taken off before a tool reaches the tip window.
const UINT kToolAlwaysTip = 0x40000000;   // tip even while the top-level window is inactive
const UINT kToolLibraryFlags = 0xC0000000;

const DWORD kComCtlTitles = (5 << 16) | 80;   // 5.80: TTM_SETTITLE exists

// A window that hands its tips to its parent (WM_VZPTIPSBYPARENT) is
// replaced by that parent. A hung window of another thread counts as no.
HWND ApplyTipsByParentRule(HWND hWnd)
{
    if (hWnd == NULL || (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) == 0)
        return hWnd;
    DWORD_PTR dwAnswer = 0;
    if (::SendMessageTimeoutW(hWnd, WM_VZPTIPSBYPARENT, 0, 0, SMTO_ABORTIFHUNG, 1000, &dwAnswer) && dwAnswer == 1)
        return ::GetParent(hWnd);
    return hWnd;
}

// The common-controls tooltip of kinds 0 and 1, whose TTM_WINDOWFROMPOINT
// answer follows the same parent rule as the library's tip windows.
class CVZPCommonToolTipCtrl : public CToolTipCtrl
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT lResult = CToolTipCtrl::WindowProc(message, wParam, lParam);
        if (message == TTM_WINDOWFROMPOINT)
            return (LRESULT)ApplyTipsByParentRule((HWND)lResult);
        return lResult;
    }
};

BOOL IsTrackingMessage(UINT message)
{
    return message == WM_NCMOUSEMOVE || message == WM_MOUSEMOVE || message == WM_LBUTTONUP ||
           message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

BOOL IsHidingMessage(UINT message)
{
    switch (message)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        return TRUE;
    default:
        return message >= WM_KEYFIRST && message <= WM_KEYLAST;
    }
}

BOOL HasOwnToolTips(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != NULL && (pWnd->m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS)) != 0;
}

// The first window from hWnd up through its parents that shows tooltips of
// its own (the framework's flags).
HWND ToolTipWindowOf(HWND hWnd)
{
    for (; hWnd != NULL; hWnd = ::GetParent(hWnd))
        if (HasOwnToolTips(hWnd))
            return hWnd;
    return NULL;
}

// TRUE when hWnd is hOwner or a descendant of it, and no window on the way
// up shows tooltips of its own.
BOOL IsServedBy(HWND hWnd, HWND hOwner)
{
    for (; hWnd != NULL && hWnd != hOwner; hWnd = ::GetParent(hWnd))
    {
        if ((::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) == 0 || HasOwnToolTips(hWnd))
            return FALSE;
    }
    return hWnd != NULL;
}

LPTSTR CopyToolString(LPCTSTR psz)
{
    const size_t nLength = psz != NULL ? wcslen(psz) : 0;
    LPTSTR pszCopy = static_cast<LPTSTR>(calloc(nLength + 1, sizeof(TCHAR)));
    if (pszCopy != NULL && nLength != 0)
        memcpy(pszCopy, psz, nLength * sizeof(TCHAR));
    return pszCopy;
}

}  // namespace

HWND VZPTipWindowFromPoint(POINT pt)
{
    return ApplyTipsByParentRule(::WindowFromPoint(pt));
}

BOOL VZPIsMouseButtonHeld()
{
    return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

CVZPTooltipService::CVZPTooltipService()
    : m_bShowTitleAndDescription(FALSE), m_nTipKind(tipCommonControls),
      m_dwComCtlVersion(CVZPVisualStyle::GetComCtl32Version()), m_nTitleIcon(TTI_INFO),
      m_nMaxTipWidth(::GetSystemMetrics(SM_CXSCREEN) / 2), m_dwTipStyle(TTS_NOPREFIX), m_nInitialDelay(-1),
      m_nReshowDelay(-1), m_nAutoPopDelay(-1), m_pTipWnd(NULL), m_clrTipBack((COLORREF)-1),
      m_clrTipText((COLORREF)-1)
{
    ::SetRectEmpty(&m_rcMargins);
    memset(&m_lastTool, 0, sizeof(m_lastTool));
    AfxInitRichEdit();
}

CVZPTooltipService::~CVZPTooltipService()
{
    DeleteTipWindow();
}

COLORREF CVZPTooltipService::GetTipBackColor() const
{
    return m_clrTipBack == (COLORREF)-1 ? GetColorManager()->GetColor(COLOR_INFOBK) : m_clrTipBack;
}

COLORREF CVZPTooltipService::GetTipTextColor() const
{
    return m_clrTipText == (COLORREF)-1 ? GetColorManager()->GetColor(COLOR_INFOTEXT) : m_clrTipText;
}

CWnd* CVZPTooltipService::CreateTipWindow(CWnd* pOwner)
{
    const DWORD dwStyle = m_dwTipStyle | TTS_ALWAYSTIP;
    CVZPToolTipWnd* pLibraryTip = NULL;
    switch (m_nTipKind)
    {
    case tipLibrary:
        pLibraryTip = new CVZPToolTipWnd(this);
        break;
    case tipRichText:
        pLibraryTip = new CVZPRichToolTipWnd(this);
        break;
    case tipColorScheme:
        pLibraryTip = new CVZPSchemeToolTipWnd(this);
        break;
    default:
    {
        CToolTipCtrl* pCtrl = new CVZPCommonToolTipCtrl;
        pCtrl->Create(pOwner, m_nTipKind == tipBalloon ? dwStyle | TTS_BALLOON : dwStyle);
        return pCtrl;
    }
    }
    pLibraryTip->Create(pOwner, dwStyle);
    return pLibraryTip;
}

void CVZPTooltipService::DeleteTipWindow()
{
    if (m_pTipWnd == NULL)
        return;
    if (m_pTipWnd->GetSafeHwnd() != NULL)
        m_pTipWnd->DestroyWindow();
    delete m_pTipWnd;
    m_pTipWnd = NULL;
    // Its tools went with it.
    memset(&m_lastTool, 0, sizeof(m_lastTool));
}

BOOL CVZPTooltipService::MakeTipWindow(CWnd* pTipOwner)
{
    CWnd* pTip = CreateTipWindow(pTipOwner);
    if (pTip == NULL)
        return FALSE;
    if (pTip->GetSafeHwnd() == NULL)
    {
        delete pTip;
        return FALSE;
    }
    m_pTipWnd = pTip;
    memset(&m_lastTool, 0, sizeof(m_lastTool));
    pTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, m_nMaxTipWidth);
    pTip->SendMessage(TTM_SETMARGIN, 0, (LPARAM)&m_rcMargins);
    if (m_clrTipBack != (COLORREF)-1)
        pTip->SendMessage(TTM_SETTIPBKCOLOR, m_clrTipBack, 0);
    if (m_clrTipText != (COLORREF)-1)
        pTip->SendMessage(TTM_SETTIPTEXTCOLOR, m_clrTipText, 0);
    const struct
    {
        WPARAM nWhich;
        int nDelay;
    } delays[] = {{TTDT_RESHOW, m_nReshowDelay}, {TTDT_INITIAL, m_nInitialDelay}, {TTDT_AUTOPOP, m_nAutoPopDelay}};
    for (const auto& delay : delays)
        if (delay.nDelay != -1)
            pTip->SendMessage(TTM_SETDELAYTIME, delay.nWhich, MAKELPARAM(delay.nDelay & 0xFFFF, 0));
    pTip->SendMessage(TTM_ACTIVATE, FALSE);
    return TRUE;
}

void CVZPTooltipService::FilterMouseMessage(CWnd* pOwner, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (pOwner == NULL)
        return;
    MSG msg = {};
    msg.hwnd = pOwner->GetSafeHwnd();
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = ::GetMessageTime();
    ::GetCursorPos(&msg.pt);
    FilterToolTipMessage(pOwner, &msg, TRUE);
}

void CVZPTooltipService::FilterToolTipMessage(CWnd* pOwner, MSG* pMsg, BOOL bFromOwner)
{
    if (pOwner == NULL || pMsg == NULL || !::IsWindow(pOwner->GetSafeHwnd()))
        return;
    if (IsTrackingMessage(pMsg->message) && !VZPIsMouseButtonHeld())
    {
        if (!bFromOwner && ToolTipWindowOf(pMsg->hwnd) != pOwner->m_hWnd)
            return;
        TrackTool(pOwner, pMsg);
        return;
    }
    if (!bFromOwner && !IsServedBy(pMsg->hwnd, pOwner->m_hWnd))
        return;
    if (IsHidingMessage(pMsg->message))
        HideToolTip();
}

void CVZPTooltipService::TrackTool(CWnd* pOwner, MSG* pMsg)
{
    const BOOL bActive = IsTopParentActive(pOwner->m_hWnd);
    if (m_pTipWnd != NULL && m_pTipWnd->GetSafeHwnd() != NULL && m_pTipWnd->IsWindowVisible() && !bActive)
    {
        m_pTipWnd->SendMessage(TTM_ACTIVATE, FALSE);
        return;
    }

    // The tip window belongs to the owner's parent-owner; a new one replaces
    // it when that changes (or when it went with its owner).
    CWnd* pTipOwner = pOwner->GetParentOwner();
    if (pTipOwner == NULL)
        pTipOwner = pOwner;
    if (m_pTipWnd != NULL)
    {
        HWND hCurrentOwner = ::GetWindow(m_pTipWnd->GetSafeHwnd(), GW_OWNER);
        if (hCurrentOwner == NULL)
            hCurrentOwner = ::GetParent(m_pTipWnd->GetSafeHwnd());
        if (m_pTipWnd->GetSafeHwnd() == NULL || hCurrentOwner != pTipOwner->m_hWnd)
            DeleteTipWindow();
    }
    if (m_pTipWnd == NULL && !MakeTipWindow(pTipOwner))
        return;

    CPoint point = pMsg->pt;
    pOwner->ScreenToClient(&point);
    // The hit test may fill the long form's {description, title} block.
    LPTSTR block[2] = {NULL, NULL};
    TOOLINFO ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = m_bShowTitleAndDescription ? TTTOOLINFOW_V2_SIZE : TTTOOLINFOW_V1_SIZE;
    ti.lParam = (LPARAM)block;
    const INT_PTR nHit = pOwner->OnToolHitTest(point, &ti);

    const BOOL bLastValid = m_lastTool.cbSize >= TTTOOLINFOW_V1_SIZE;
    const BOOL bSameTool = bLastValid && m_lastTool.hwnd == ti.hwnd && m_lastTool.uId == ti.uId;
    if (bSameTool && ::EqualRect(&m_lastTool.rect, &ti.rect))
    {
        if (nHit != -1)
            RelayToolTipEvent(m_pTipWnd, pMsg);
    }
    else
    {
        if (bSameTool)
            m_pTipWnd->SendMessage(TTM_DELTOOLW, 0, (LPARAM)&m_lastTool);   // moved: added again below
        if (nHit == -1)
            m_pTipWnd->SendMessage(TTM_ACTIVATE, FALSE);
        else
        {
            TOOLINFO tiAdd = ti;
            tiAdd.uFlags &= ~kToolLibraryFlags;
            m_pTipWnd->SendMessage(TTM_ADDTOOLW, 0, (LPARAM)&tiAdd);
            if (m_nTipKind != tipRichText && (m_nTipKind != tipCommonControls || m_dwComCtlVersion >= kComCtlTitles))
            {
                if (m_bShowTitleAndDescription && block[0] != NULL && block[1] != NULL)
                {
                    m_pTipWnd->SendMessage(TTM_SETTITLEW, m_nTitleIcon, (LPARAM)block[1]);
                    tiAdd.lpszText = block[0];
                    m_pTipWnd->SendMessage(TTM_UPDATETIPTEXTW, 0, (LPARAM)&tiAdd);
                }
                else
                    m_pTipWnd->SendMessage(TTM_SETTITLEW, 0, 0);
            }
            // An inactive top-level window shows no tips, unless the tool
            // asks for them always; a tip window left active by an earlier
            // tool is deactivated too.
            if ((ti.uFlags & kToolAlwaysTip) != 0 || bActive)
            {
                m_pTipWnd->SendMessage(TTM_ACTIVATE, TRUE);
                ::SetWindowPos(m_pTipWnd->m_hWnd, HWND_TOP, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
            }
            else
                m_pTipWnd->SendMessage(TTM_ACTIVATE, FALSE);
        }
        RelayToolTipEvent(m_pTipWnd, pMsg);
        if (!bSameTool && bLastValid)
            m_pTipWnd->SendMessage(TTM_DELTOOLW, 0, (LPARAM)&m_lastTool);
        m_lastTool = ti;
        m_lastTool.lParam = 0;
    }
    m_lastTool.lpszText = NULL;

    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK && ti.hinst == NULL)
        free(ti.lpszText);
    free(block[0]);
    free(block[1]);
}

void CVZPTooltipService::HideToolTip()
{
    if (m_pTipWnd != NULL && m_pTipWnd->GetSafeHwnd() != NULL)
        m_pTipWnd->SendMessage(TTM_ACTIVATE, FALSE);
}

DWORD CVZPTooltipService::ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD dwStyle = (m_dwTipStyle | dwAdd) & ~dwRemove;
    if (dwStyle != m_dwTipStyle)
    {
        m_dwTipStyle = dwStyle;
        DeleteTipWindow();
    }
    return dwStyle;
}

void CVZPTooltipService::FillToolInfo(TOOLINFO* pTI, HWND hWnd, int nLeft, int nTop, int nRight, int nBottom,
                                      UINT_PTR nId, LPCTSTR pszText, LPCTSTR pszTitle, LPCTSTR pszDescription)
{
    if (pTI == NULL || pTI->cbSize < TTTOOLINFOW_V1_SIZE)
        return;
    pTI->hwnd = hWnd;
    ::SetRect(&pTI->rect, nLeft, nTop, nRight, nBottom);
    pTI->uId = nId;
    pTI->lpszText = CopyToolString(pszText);
    if (pTI->cbSize == TTTOOLINFOW_V2_SIZE && pTI->lParam != 0 && pszTitle != NULL && *pszTitle != 0 &&
        pszDescription != NULL && *pszDescription != 0)
    {
        LPTSTR* pBlock = reinterpret_cast<LPTSTR*>(pTI->lParam);
        pBlock[0] = CopyToolString(pszDescription);
        pBlock[1] = CopyToolString(pszTitle);
    }
}

void CVZPTooltipService::RelayToolTipEvent(CWnd* pTipWnd, const MSG* pMsg)
{
    if (pTipWnd == NULL || pTipWnd->GetSafeHwnd() == NULL || pMsg == NULL)
        return;
    MSG msg = *pMsg;
    POINT pt = msg.pt;
    msg.hwnd = (HWND)pTipWnd->SendMessage(TTM_WINDOWFROMPOINT, 0, (LPARAM)&pt);
    if (msg.hwnd != NULL && msg.message >= WM_MOUSEFIRST && msg.message <= WM_MBUTTONDBLCLK)
    {
        POINT ptClient = msg.pt;
        ::ScreenToClient(msg.hwnd, &ptClient);
        msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
    }
    pTipWnd->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&msg);
}
