#include "html/CCustomHTMLViewer.h"

#include <commctrl.h>
#include <string.h>

#include "CEx_StyleDoc.h"
#include "html/CHtmlBrowser.h"
#include "resource.h"

namespace {

const int kStatusHeight = 20;

HWND g_hHtmlCanvas = nullptr;
HWND g_hHtmlStatus = nullptr;
CHtmlBrowser* g_pHtmlBrowser = nullptr;

// The canvas's dialog procedure: everything goes to the browser. Results
// travel back through the dialog's message result, so the canvas's
// queries (scroll positions and ranges) answer their senders.
INT_PTR CALLBACK CanvasDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!g_pHtmlBrowser)
        return 0;
    LRESULT result = g_pHtmlBrowser->CanvasProc(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
        return (INT_PTR)result;
    default:
        break;
    }
    if (result)
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return result ? TRUE : FALSE;
}

// The path the preview pane stored in the document for the file to show.
bool GetPreviewPath(CString& path)
{
    CWnd* pMain = AfxGetMainWnd();
    CFrameWnd* pFrame = pMain ? DYNAMIC_DOWNCAST(CFrameWnd, pMain) : nullptr;
    CDocument* pDoc = pFrame ? pFrame->GetActiveDocument() : nullptr;
    if (!pDoc || strcmp(pDoc->GetRuntimeClass()->m_lpszClassName, "CEx_StyleDoc") != 0)
        return false;
    path = static_cast<CEx_StyleDoc*>(pDoc)->m_strPreviewPath;
    return true;
}

}  // namespace

IMPLEMENT_DYNCREATE(CCustomHTMLViewer, CView)

BEGIN_MESSAGE_MAP(CCustomHTMLViewer, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CCustomHTMLViewer::CCustomHTMLViewer()
{
}

CCustomHTMLViewer::~CCustomHTMLViewer()
{
    if (g_hHtmlCanvas && IsWindow(g_hHtmlCanvas)) {
        ::EndDialog(g_hHtmlCanvas, 0);
        ::DestroyWindow(g_hHtmlCanvas);
    }
    g_hHtmlCanvas = nullptr;
    g_hHtmlStatus = nullptr;
    CHtmlBrowser* pBrowser = g_pHtmlBrowser;
    g_pHtmlBrowser = nullptr;
    delete pBrowser;
}

HWND CCustomHTMLViewer::GetCanvas()
{
    return g_hHtmlCanvas;
}

HWND CCustomHTMLViewer::GetStatusBar()
{
    return g_hHtmlStatus;
}

CHtmlBrowser* CCustomHTMLViewer::GetBrowser()
{
    return g_pHtmlBrowser;
}

BOOL CCustomHTMLViewer::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}

void CCustomHTMLViewer::OnDraw(CDC* /*pDC*/)
{
}

int CCustomHTMLViewer::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    CString path;
    if (!GetPreviewPath(path))
        return 0;
    CString url = _T("file://") + path;

    g_hHtmlCanvas = CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDD_HTML_CANVAS), m_hWnd,
                                       CanvasDlgProc, 0);
    if (g_hHtmlCanvas)
        ::ShowWindow(g_hHtmlCanvas, SW_SHOW);
    g_hHtmlStatus = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", m_hWnd, 0);
    g_pHtmlBrowser = new CHtmlBrowser(g_hHtmlCanvas, m_hWnd, g_hHtmlStatus, nullptr, nullptr);
    g_pHtmlBrowser->Navigate(url);
    return 0;
}

void CCustomHTMLViewer::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (g_hHtmlStatus) {
        ::MoveWindow(g_hHtmlStatus, 0, cy - kStatusHeight, cx, kStatusHeight, TRUE);
        ::InvalidateRect(g_hHtmlStatus, nullptr, TRUE);
    }
    if (g_hHtmlCanvas)
        ::MoveWindow(g_hHtmlCanvas, 0, 0, cx, cy - kStatusHeight > 0 ? cy - kStatusHeight : 0, TRUE);
}
