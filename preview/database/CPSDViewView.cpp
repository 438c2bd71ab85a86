#include "database/CPSDViewView.h"

#include "CEx_StyleDoc.h"
#include "IPreviewHost.h"

IMPLEMENT_DYNCREATE(CPSDViewView, CView)

BEGIN_MESSAGE_MAP(CPSDViewView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

CPSDViewView::CPSDViewView() : m_nLoadResult(0), m_hBitmap(NULL)
{
    m_decoder.Reset();
}

CPSDViewView::~CPSDViewView()
{
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    m_decoder.Free();
}

int CPSDViewView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    CRect rc;
    GetClientRect(&rc);
    m_frame.Create(_T(""), WS_CHILD | WS_VISIBLE | SS_BLACKFRAME | SS_CENTERIMAGE, rc, this, IDC_PSD_FRAME);
    CWnd* pMain = AfxGetMainWnd();
    CFrameWnd* pFrame = pMain ? DYNAMIC_DOWNCAST(CFrameWnd, pMain) : NULL;
    if (!pFrame)
        return 0;
    CDocument* pDoc = pFrame->GetActiveDocument();
    CString path;
    if (pDoc && strcmp(pDoc->GetRuntimeClass()->m_lpszClassName, "CEx_StyleDoc") == 0)
        path = static_cast<CEx_StyleDoc*>(pDoc)->m_strPreviewPath;
    LoadFile(path);
    // Only a decoded picture is a preview; anything else shows the
    // no-preview picture instead of an empty pane.
    if (IPreviewHost* host = GetPreviewHost())
        host->SetPreviewOk(m_nLoadResult == 0 && m_decoder.GetBitmap() != NULL);
    return 0;
}

int CPSDViewView::LoadFile(CString path)
{
    m_nLoadResult = m_decoder.Load(path);
    if (m_nLoadResult == 0)
        Invalidate();
    return 0;
}

void CPSDViewView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_frame.m_hWnd)
        m_frame.MoveWindow(0, 0, cx, cy);
    Invalidate();
}

void CPSDViewView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    CView::OnUpdate(pSender, lHint, pHint);
}

void CPSDViewView::OnDraw(CDC* pDC)
{
    if (!m_hBitmap && m_decoder.GetBitmap())
        m_hBitmap = m_decoder.DetachBitmap();
    if (!m_hBitmap)
        return;
    CRect rc;
    GetClientRect(&rc);
    HDC memory = CreateCompatibleDC(pDC->m_hDC);
    HGDIOBJ old = SelectObject(memory, m_hBitmap);
    SetStretchBltMode(pDC->m_hDC, COLORONCOLOR);
    StretchBlt(pDC->m_hDC, 0, 0, rc.Width(), rc.Height(), memory, 0, 0, (int)m_decoder.m_nWidth,
               (int)m_decoder.m_nHeight, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void CPSDViewView::OnVScroll(UINT, UINT, CScrollBar*) {}

void CPSDViewView::OnHScroll(UINT, UINT, CScrollBar*) {}
