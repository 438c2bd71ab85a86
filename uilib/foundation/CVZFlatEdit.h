// The library's edit with a flat, hot-tracked non-client border drawn by the
// flat edit theme.
#pragma once

#include "CVZEdit.h"
#include "CVZThemeManagerStyleHost.h"

class CVZFlatEdit : public CVZEdit
{
    DECLARE_DYNAMIC(CVZFlatEdit)
public:
    CVZFlatEdit();

    void SetFlat(BOOL bFlat) { m_bFlat = bFlat; }
    BOOL IsHot() const { return m_bHot; }
    // The cursor lies in the control's window rectangle.
    virtual BOOL HitTestHot() const;
    // The theme's border over the rectangle in the current state.
    virtual void DrawBorder(CDC* pDC, const CRect& rect);

protected:
    afx_msg void OnNcPaint();
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    CVZThemeManagerStyleHost m_themeHost;
    BOOL m_bFlat;
    BOOL m_bHot;
    BOOL m_bHasFocus;
};
