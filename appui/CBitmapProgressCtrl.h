// A progress bar whose filled part is the tiles of a bitmap.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// The common control keeps the range and the position; without a bitmap it
// paints itself.
class CBitmapProgressCtrl : public CProgressCtrl
{
public:
    CBitmapProgressCtrl();
    ~CBitmapProgressCtrl() override;

    // The tile; not owned, and must outlive the control's painting.
    void SetBitmap(HBITMAP hBitmap);

    // Paints the client area into any DC: a black frame with WS_BORDER, then
    // the filled part tiled with the bitmap.
    void PaintTo(CDC& dc);

    // Called after each painting; does nothing here.
    virtual void OnBarPainted(CDC* pDC, int nPercent, const CRect& rectClient, const CRect& rectFilled,
                              BOOL bVertical);

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    int m_nLower;
    int m_nSpan;   // upper - lower
    int m_nPos;
    HBITMAP m_hBitmap;
    int m_cxBitmap;
    int m_cyBitmap;
};
