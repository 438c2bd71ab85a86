#include "CScanningProgress.h"

#include "CVZPDoubleBufferDC.h"
#include "appuires.h"

IMPLEMENT_DYNCREATE(CScanningProgress, CFormView)

BEGIN_MESSAGE_MAP(CScanningProgress, CFormView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CScanningProgress::CScanningProgress() : CFormView(IDD_SCANNING_PROGRESS)
{
}

CScanningProgress::~CScanningProgress() = default;

void CScanningProgress::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    CRect rect;
    GetClientRect(&rect);
    CClientDC dc(this);
    CVZPDoubleBufferDC dcBuffer(dc.GetSafeHdc(), rect);
    dcBuffer.FillSolidRect(&rect, kBackground);
    DefWindowProc(WM_PRINTCLIENT, (WPARAM)dcBuffer.GetSafeHdc(), PRF_CLIENT);
}

void CScanningProgress::OnPaint()
{
    // Validates only: the view paints once, on its initial update.
    CPaintDC dc(this);
}
