#include "CVZCaptionPopupWnd.h"

#include <afxcmn.h>

#include "CVZPColorManager.h"
#include "CVZPResourceLoader.h"
#include "VZCaptionMessages.h"
#include "uilibres.h"

namespace {

const wchar_t kPopupClassName[] = L"VZCaptionPopupWnd";
const UINT kFocusTimer = 1;
const int kTitleHeight = 19;

}  // namespace

IMPLEMENT_DYNAMIC(CVZCaptionPopupWnd, CWnd)

BEGIN_MESSAGE_MAP(CVZCaptionPopupWnd, CWnd)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_COMMAND(VZ_ID_CAPTION_BUTTON, OnPin)
END_MESSAGE_MAP()

CVZCaptionPopupWnd::CVZCaptionPopupWnd() : m_pCaption(NULL), m_pChild(NULL), m_pPreviousParent(NULL)
{
    HINSTANCE hInstance = AfxGetInstanceHandle();
    WNDCLASSW wc = {};
    if (!::GetClassInfoW(hInstance, kPopupClassName, &wc))
    {
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = hInstance;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kPopupClassName;
        if (!AfxRegisterClass(&wc))
            AfxThrowResourceException();
    }
}

CVZCaptionPopupWnd::~CVZCaptionPopupWnd()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CVZCaptionPopupWnd::Create(const CRect& rect, CWnd* pCaption, CWnd* pChild)
{
    if (pCaption == NULL || pChild == NULL || !::IsWindow(pCaption->GetSafeHwnd()) ||
        !::IsWindow(pChild->GetSafeHwnd()))
        return FALSE;
    m_pCaption = pCaption;
    m_pChild = pChild;
    if (!CreateEx(WS_EX_TOOLWINDOW, kPopupClassName, L"", WS_POPUP | WS_VISIBLE | WS_DLGFRAME, rect, pCaption, 0))
        return FALSE;
    m_pPreviousParent = m_pChild->SetParent(this);
    CString strTitle;
    GetResourceLoader()->LoadString(&strTitle, VZP_IDS_PUSH_PIN_TIP);
    if (!m_titleBar.Create(this, strTitle, VZCS_RAISED, WS_VISIBLE | SS_CENTERIMAGE | SS_CENTER, CRect(0, 0, 0, 0),
                           0xFFFF))
        return FALSE;
    m_titleBar.SetTextButton(FALSE);
    if (!m_pinButton.Create(NULL, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_ICON | BS_CENTER | BS_VCENTER,
                            CRect(0, 0, 0, 0), this, VZ_ID_CAPTION_BUTTON))
        return FALSE;
    m_pinButton.m_pCaption = &m_titleBar;
    CBitmap bitmap;
    CImageList images;
    if (GetResourceLoader()->LoadBitmap(&bitmap, VZP_IDB_PIN_CLOSE) &&
        images.Create(16, 15, ILC_MASK | ILC_COLOR8, 0, 1))
    {
        images.Add(&bitmap, RGB(255, 0, 255));
        m_pinIcon = images.ExtractIcon(0);
        m_hotPinIcon = images.ExtractIcon(1);
        m_pinButton.SetIcon(CSize(16, 15), (HICON)m_pinIcon, (HICON)m_hotPinIcon, TRUE);
        images.DeleteImageList();
    }
    SetTimer(kFocusTimer, 10, NULL);
    return TRUE;
}

void CVZCaptionPopupWnd::RecalcLayout()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    rcClient.DeflateRect(2, 2);
    if (m_pChild != NULL && ::IsWindow(m_pChild->GetSafeHwnd()))
        m_pChild->MoveWindow(rcClient.left, rcClient.top + kTitleHeight, rcClient.Width(),
                             rcClient.Height() - kTitleHeight);
    CRect rcTitle(rcClient.left, rcClient.top, rcClient.right, rcClient.top + kTitleHeight);
    m_titleBar.MoveWindow(&rcTitle);
    CRect rcPin(rcTitle);
    rcPin.DeflateRect(2, 2);
    rcPin.left = rcPin.right - 16;
    m_pinButton.MoveWindow(&rcPin);
}

void CVZCaptionPopupWnd::RestoreChildParent()
{
    if (m_pChild != NULL && m_pPreviousParent != NULL && ::IsWindow(m_pChild->GetSafeHwnd()) &&
        ::IsWindow(m_pPreviousParent->GetSafeHwnd()))
        m_pChild->SetParent(m_pPreviousParent);
}

BOOL CVZCaptionPopupWnd::CheckFocus()
{
    HWND hFocus = ::GetFocus();
    if (hFocus == m_titleBar.m_hWnd || hFocus == m_pinButton.m_hWnd || hFocus == m_hWnd ||
        (m_pChild != NULL && hFocus == m_pChild->GetSafeHwnd()))
        return FALSE;
    if (m_pCaption == NULL || !::IsWindow(m_pCaption->GetSafeHwnd()))
        return FALSE;
    m_pCaption->SendMessage(VZWM_CAPTION_POPUP_CLOSED, 0, 0);
    return TRUE;
}

void CVZCaptionPopupWnd::OnDestroy()
{
    RestoreChildParent();
    CWnd::OnDestroy();
}

void CVZCaptionPopupWnd::OnPin()
{
    // The caption destroys and deletes this popup while handling the message:
    // nothing may touch the object afterwards.
    if (m_pCaption != NULL && ::IsWindow(m_pCaption->GetSafeHwnd()))
        m_pCaption->SendMessage(VZWM_CAPTION_PINNED, 0, 0);
}

void CVZCaptionPopupWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    rcClient.DeflateRect(1, 1);
    dc.Draw3dRect(&rcClient, GetColorManager()->GetColor(COLOR_3DSHADOW),
                  GetColorManager()->GetColor(COLOR_3DHIGHLIGHT));
    if (::IsWindow(m_titleBar.m_hWnd))
        m_titleBar.Invalidate();
}

void CVZCaptionPopupWnd::OnTimer(UINT nIDEvent)
{
    if (nIDEvent != kFocusTimer)
    {
        Default();
        return;
    }
    CheckFocus();   // may delete this popup: return at once
}
