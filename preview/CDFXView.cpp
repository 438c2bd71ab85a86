#include "CDFXView.h"

#include <string.h>

#include "CEx_StyleDoc.h"
#include "CProgressDlg.h"
#include "IPreviewHost.h"
#include "state/EngineState.h"

namespace {

void SetPreviewOk(BOOL bOk)
{
    if (IPreviewHost* host = GetPreviewHost())
        host->SetPreviewOk(bOk);
}

const UINT kProbeBytes = 511;

}  // namespace

IMPLEMENT_DYNCREATE(CDFXView, CView)

BEGIN_MESSAGE_MAP(CDFXView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CDFXView::CDFXView() { m_library.Load(); }

CDFXView::~CDFXView()
{
    m_library.DestroyDrawing();
    m_library.Unload();
}

void CDFXView::OnDraw(CDC* pDC) { (void)pDC; }

BOOL CDFXView::LooksLikeDrawing(const BYTE* pBytes, UINT nCount)
{
    UINT n = 0;
    while (n < nCount && pBytes[n] != 0)
        ++n;
    if (n == 0)
        return FALSE;
    const int nWide = ::MultiByteToWideChar(CP_ACP, 0, (LPCSTR)pBytes, (int)n, NULL, 0);
    CString text;
    LPWSTR pText = text.GetBuffer(nWide + 1);
    ::MultiByteToWideChar(CP_ACP, 0, (LPCSTR)pBytes, (int)n, pText, nWide);
    text.ReleaseBuffer(nWide);
    return text.Find(_T("SECTION")) >= 0 && text.Find(_T("HEADER")) >= 0;
}

BOOL CDFXView::ToAnsiPath(LPCWSTR lpszPath, char (&szAnsi)[260])
{
    szAnsi[0] = 0;
    BOOL bDefaultUsed = FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, lpszPath, -1, szAnsi, (int)sizeof(szAnsi), NULL,
                                        &bDefaultUsed);
    if (n <= 0 || bDefaultUsed) {
        szAnsi[0] = 0;
        return FALSE;
    }
    return TRUE;
}

int CDFXView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_canvas.m_pLibrary = &m_library;
    m_canvas.Create(_T(""), WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BLACKRECT, CRect(100, 0, 700, 200), this,
                    CDxfCanvas::IDC_CANVAS);

    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pFrame == NULL)
        return 0;
    CString path;
    CDocument* pDoc = pFrame->GetActiveDocument();
    if (pDoc && strcmp(pDoc->GetRuntimeClass()->m_lpszClassName, "CEx_StyleDoc") == 0)
        path = static_cast<CEx_StyleDoc*>(pDoc)->m_strPreviewPath;

    if (m_library.IsReady())
        m_library.DestroyDrawing();
    if (!m_library.CreateDrawing()) {
        SetPreviewOk(FALSE);
        return 0;
    }

    CProgressDlg progress;
    progress.Create(this);
    progress.SetRange(0, 100);

    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) {
        // A drawing that cannot be read is no preview.
        progress.DestroyWindow();
        SetPreviewOk(FALSE);
        return 0;
    }
    BYTE probe[kProbeBytes];
    const UINT nRead = file.Read(probe, kProbeBytes);
    file.Close();
    const BOOL bDrawing = g_ScanMode != 1 && LooksLikeDrawing(probe, nRead);

    char szAnsi[260];
    BOOL bOk = FALSE;
    if (bDrawing && ToAnsiPath(path, szAnsi)) {
        try {
            bOk = m_library.LoadFromFile(szAnsi, progress.GetSafeHwnd());
        } catch (...) {
            bOk = FALSE;
        }
    }
    SetPreviewOk(bOk);
    progress.DestroyWindow();
    if (bOk)
        FitDrawing();
    return 0;
}

void CDFXView::FitDrawing()
{
    CRect rc;
    m_canvas.GetClientRect(&rc);
    m_library.InitView(0, 0, rc.Width(), rc.Height());
    m_library.ZoomExtents();
    m_canvas.ShowWindow(SW_SHOW);
    m_canvas.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDFXView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_canvas.GetSafeHwnd() == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    m_canvas.MoveWindow(&rc, TRUE);
    m_library.InitView(0, 0, rc.Width(), rc.Height());
    m_library.ZoomExtents();
    m_canvas.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CDFXView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (m_library.IsReady()) {
        m_library.SetZoom(m_library.GetZoom() * (zDelta > 0 ? 1.5 : 2.0 / 3.0));
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return CView::OnMouseWheel(nFlags, zDelta, pt);
}
