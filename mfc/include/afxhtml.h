// afxhtml.h - a view that hosts the system's web browser control.
#pragma once
#ifndef __AFXHTML_H__
#define __AFXHTML_H__

#include <afxwin.h>
#include <afxdisp.h>
#include <exdisp.h>

// Creation fails (Create returns FALSE, the view goes) when the browser
// control cannot be made, for example without an HTML engine.
class CHtmlView : public CView
{
    DECLARE_DYNCREATE(CHtmlView)
public:
    CHtmlView();
    ~CHtmlView() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, void* pContext = NULL) override;

    void Navigate2(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = NULL,
                   LPCTSTR lpszHeaders = NULL, LPVOID lpvPostData = NULL, DWORD dwPostDataLen = 0);
    void GoBack();
    void GoForward();
    void Refresh();
    void Stop();
    CString GetLocationURL() const;
    LPDISPATCH GetHtmlDocument() const;
    BOOL GetBusy() const;
    void SetVisible(BOOL bNewValue);

    // Browser events are not connected; the overridables exist for
    // derived views.
    virtual void OnVisible(BOOL bVisible) { (void)bVisible; }
    virtual void OnNavigateComplete2(LPCTSTR strURL) { (void)strURL; }
    virtual void OnDocumentComplete(LPCTSTR lpszURL) { (void)lpszURL; }

    void OnDraw(CDC* pDC) override { (void)pDC; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CWnd m_wndBrowser;
    IWebBrowser2* m_pBrowserApp;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint() { Default(); }
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

#endif // __AFXHTML_H__
