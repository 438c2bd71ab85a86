#include "CDxfCanvas.h"

#include "CDxfLibrary.h"

BEGIN_MESSAGE_MAP(CDxfCanvas, CStatic)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MBUTTONUP()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

void CDxfCanvas::OnPaint()
{
    CPaintDC dc(this);
    if (m_pLibrary == NULL)
        return;
    if (m_pLibrary->IsReady()) {
        m_pLibrary->Paint(dc.m_hDC);
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    CBrush* pOld = (CBrush*)dc.SelectStockObject(BLACK_BRUSH);
    dc.Rectangle(rc.left, rc.top, rc.right, rc.bottom);
    dc.SelectObject(pOld);
}

void CDxfCanvas::OnButtonDown(CPoint point)
{
    SetCapture();
    m_nLastX = point.x;
    m_nLastY = point.y;
    m_bDragging = true;
}

void CDxfCanvas::OnButtonUp()
{
    ::ReleaseCapture();
    m_bDragging = false;
}

void CDxfCanvas::OnLButtonDown(UINT nFlags, CPoint point)
{
    OnButtonDown(point);
    CStatic::OnLButtonDown(nFlags, point);
}

void CDxfCanvas::OnMButtonDown(UINT nFlags, CPoint point)
{
    OnButtonDown(point);
    CStatic::OnMButtonDown(nFlags, point);
}

void CDxfCanvas::OnLButtonUp(UINT nFlags, CPoint point)
{
    OnButtonUp();
    CStatic::OnLButtonUp(nFlags, point);
}

void CDxfCanvas::OnMButtonUp(UINT nFlags, CPoint point)
{
    OnButtonUp();
    CStatic::OnMButtonUp(nFlags, point);
}

void CDxfCanvas::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bDragging && m_pLibrary != NULL && m_pLibrary->IsReady()) {
        CDC* pDC = GetDC();
        const BOOL bVisible = pDC != NULL && pDC->PtVisible(point);
        if (pDC != NULL)
            ReleaseDC(pDC);
        DxfViewRecord record;
        if (bVisible && m_pLibrary->GetViewProperties(&record)) {
            const double s =
                1.0 / (record.Get(DxfViewRecord::Zoom) * record.Get(DxfViewRecord::PixelsPerUnit));
            record.Set(DxfViewRecord::OriginX, record.Get(DxfViewRecord::OriginX) - s * (point.x - m_nLastX));
            record.Set(DxfViewRecord::OriginY, record.Get(DxfViewRecord::OriginY) + s * (point.y - m_nLastY));
            m_pLibrary->SetViewProperties(&record);
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
            m_nLastX = point.x;
            m_nLastY = point.y;
        }
    }
    CStatic::OnMouseMove(nFlags, point);
}
