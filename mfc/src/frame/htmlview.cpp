// CHtmlView: the web browser control hosted in a view.
#include "framestate.h"
#include <afxhtml.h>

IMPLEMENT_DYNCREATE(CHtmlView, CView)

BEGIN_MESSAGE_MAP(CHtmlView, CView)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CHtmlView::CHtmlView() : m_pBrowserApp(NULL)
{
}

CHtmlView::~CHtmlView()
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->Release();
}

BOOL CHtmlView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, void* pContext)
{
    if (!CView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    CRect rectClient;
    GetClientRect(rectClient);
    IWebBrowser2* pBrowser = NULL;
    if (m_wndBrowser.CreateControl(CLSID_WebBrowser, lpszWindowName, WS_VISIBLE | WS_CHILD, rectClient, this,
                                   AFX_IDW_PANE_FIRST))
    {
        LPUNKNOWN lpUnk = m_wndBrowser.GetControlUnknown();
        if (lpUnk == NULL || FAILED(lpUnk->QueryInterface(IID_IWebBrowser2, (void**)&pBrowser)))
            pBrowser = NULL;
    }
    if (pBrowser == NULL)
    {
        // No browser: the view goes (and deletes itself).
        if (m_wndBrowser.m_hWnd != NULL)
            m_wndBrowser.DestroyWindow();
        DestroyWindow();
        return FALSE;
    }
    m_pBrowserApp = pBrowser;
    return TRUE;
}

void CHtmlView::OnDestroy()
{
    if (m_pBrowserApp != NULL)
    {
        m_pBrowserApp->Release();
        m_pBrowserApp = NULL;
    }
    CView::OnDestroy();
}

void CHtmlView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_wndBrowser.m_hWnd != NULL)
        m_wndBrowser.MoveWindow(0, 0, cx, cy);
}

void CHtmlView::Navigate2(LPCTSTR lpszURL, DWORD dwFlags, LPCTSTR lpszTargetFrameName, LPCTSTR lpszHeaders,
                          LPVOID lpvPostData, DWORD dwPostDataLen)
{
    if (m_pBrowserApp == NULL || lpszURL == NULL)
        return;
    COleVariant vtURL(lpszURL);
    COleVariant vtFlags((long)dwFlags);
    COleVariant vtTarget(lpszTargetFrameName != NULL ? lpszTargetFrameName : _T(""));
    COleVariant vtHeaders(lpszHeaders != NULL ? lpszHeaders : _T(""));
    COleVariant vtPost;
    if (lpvPostData != NULL && dwPostDataLen > 0)
    {
        // Post data travel as a byte array.
        SAFEARRAY* psa = ::SafeArrayCreateVector(VT_UI1, 0, dwPostDataLen);
        if (psa != NULL)
        {
            void* pData = NULL;
            if (SUCCEEDED(::SafeArrayAccessData(psa, &pData)))
            {
                memcpy(pData, lpvPostData, dwPostDataLen);
                ::SafeArrayUnaccessData(psa);
            }
            vtPost.vt = VT_ARRAY | VT_UI1;
            vtPost.parray = psa;
        }
    }
    m_pBrowserApp->Navigate2(&vtURL, &vtFlags, lpszTargetFrameName != NULL ? &vtTarget : NULL,
                             vtPost.vt != VT_EMPTY ? &vtPost : NULL, lpszHeaders != NULL ? &vtHeaders : NULL);
}

void CHtmlView::GoBack()
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->GoBack();
}

void CHtmlView::GoForward()
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->GoForward();
}

void CHtmlView::Refresh()
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->Refresh();
}

void CHtmlView::Stop()
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->Stop();
}

CString CHtmlView::GetLocationURL() const
{
    CString strURL;
    BSTR bstr = NULL;
    if (m_pBrowserApp != NULL && SUCCEEDED(m_pBrowserApp->get_LocationURL(&bstr)) && bstr != NULL)
        strURL = bstr;
    ::SysFreeString(bstr);
    return strURL;
}

LPDISPATCH CHtmlView::GetHtmlDocument() const
{
    LPDISPATCH pDisp = NULL;
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->get_Document(&pDisp);
    return pDisp;
}

BOOL CHtmlView::GetBusy() const
{
    VARIANT_BOOL bBusy = VARIANT_FALSE;
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->get_Busy(&bBusy);
    return bBusy != VARIANT_FALSE;
}

void CHtmlView::SetVisible(BOOL bNewValue)
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->put_Visible(bNewValue ? VARIANT_TRUE : VARIANT_FALSE);
}

BOOL CHtmlView::PreTranslateMessage(MSG* pMsg)
{
    if (CView::PreTranslateMessage(pMsg))
        return TRUE;
    // Keys for the page (tab, accelerators) go to the control first.
    if (m_pBrowserApp != NULL && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        IOleInPlaceActiveObject* pIPAO = NULL;
        if (SUCCEEDED(m_pBrowserApp->QueryInterface(IID_IOleInPlaceActiveObject, (void**)&pIPAO)) && pIPAO != NULL)
        {
            HRESULT hr = pIPAO->TranslateAccelerator(pMsg);
            pIPAO->Release();
            if (hr == S_OK)
                return TRUE;
        }
    }
    return FALSE;
}
