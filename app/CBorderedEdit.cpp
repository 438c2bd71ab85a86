#include "CBorderedEdit.h"

void DrawBorderedFrame(CWnd* pWnd)
{
    CWindowDC dc(pWnd);
    CRect rc;
    pWnd->GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    CBrush brush(BorderedControlColor);
    dc.FrameRect(&rc, &brush);
}

BEGIN_MESSAGE_MAP(CBorderedEdit, CEdit)
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

void CBorderedEdit::OnNcPaint() { DrawBorderedFrame(this); }

BEGIN_MESSAGE_MAP(CBorderedListBox, CListBox)
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

void CBorderedListBox::OnNcPaint() { DrawBorderedFrame(this); }
