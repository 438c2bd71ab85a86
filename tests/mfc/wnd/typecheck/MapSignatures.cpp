// Compiled, not run: message-map entries accept handlers of their exact
// signature only. CASE 0 must compile; each other CASE is a signature slip
// that must not.
#include <afxwin.h>

class CSlipWnd : public CWnd
{
protected:
#if CASE == 1
    afx_msg void OnCreate(LPCREATESTRUCT);                // returns void, not int
#elif CASE == 2
    afx_msg BOOL OnEraseBkgnd(HDC);                       // HDC instead of CDC*
#elif CASE == 3
    afx_msg void OnLButtonDown(UINT, POINT);              // POINT instead of CPoint
#elif CASE == 4
    afx_msg void OnClick(NMHDR*);                         // notify handler without the result
#elif CASE == 5
    afx_msg LRESULT OnPrivate(WPARAM);                    // message handler without lParam
#elif CASE == 6
    afx_msg int OnUpdateCmd(CCmdUI*);                     // update handler returning int
#elif CASE == 7
    afx_msg void OnMouseHover(UINT, POINT);               // POINT instead of CPoint
#elif CASE == 8
    afx_msg void OnMouseLeave(UINT);                      // leave carries no arguments
#else
    afx_msg int OnCreate(LPCREATESTRUCT);
    afx_msg BOOL OnEraseBkgnd(CDC*);
    afx_msg void OnLButtonDown(UINT, CPoint);
    afx_msg void OnClick(NMHDR*, LRESULT*);
    afx_msg LRESULT OnPrivate(WPARAM, LPARAM);
    afx_msg void OnUpdateCmd(CCmdUI*);
    afx_msg void OnMouseHover(UINT, CPoint);
    afx_msg void OnMouseLeave();
#endif
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSlipWnd, CWnd)
#if CASE == 0 || CASE == 1
    ON_WM_CREATE()
#endif
#if CASE == 0 || CASE == 2
    ON_WM_ERASEBKGND()
#endif
#if CASE == 0 || CASE == 3
    ON_WM_LBUTTONDOWN()
#endif
#if CASE == 0 || CASE == 4
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
#endif
#if CASE == 0 || CASE == 5
    ON_MESSAGE(WM_APP, OnPrivate)
#endif
#if CASE == 0 || CASE == 6
    ON_UPDATE_COMMAND_UI(100, OnUpdateCmd)
#endif
#if CASE == 0 || CASE == 7
    ON_WM_MOUSEHOVER()
#endif
#if CASE == 0 || CASE == 8
    ON_WM_MOUSELEAVE()
#endif
END_MESSAGE_MAP()
