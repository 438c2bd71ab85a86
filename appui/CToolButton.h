// The skinned push button of the wizard views and dialogs: one bitmap at
// rest, another while the mouse hovers over it, and a tooltip.
#pragma once

#include "CBitmapPairButton.h"

#include <afxcmn.h>

// Create it owner-drawn (BS_OWNERDRAW) or subclass a dialog's button, then
// call LoadBitmaps with the normal and the hover bitmap.
class CToolButton : public CBitmapPairButton
{
    DECLARE_DYNAMIC(CToolButton)
public:
    CToolButton();
    ~CToolButton() override;

    // Keeps one tool (the whole button) with the latest text; bActivate turns
    // the tooltip on or off. Nothing for a NULL text.
    void SetToolTipText(LPCTSTR lpszText, BOOL bActivate = TRUE);
    CToolTipCtrl& GetToolTip() { return m_toolTip; }

    BOOL IsHover() const { return m_bHover; }

    // The hover image while hovered, else (also while pressed) the normal one.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CString m_strCaption;   // kept with the button; nothing draws it

protected:
    void EnsureToolTip();

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

    BOOL m_bHover;
    BOOL m_bTracking;
    BOOL m_bFirstMove;
    CToolTipCtrl m_toolTip;
};
