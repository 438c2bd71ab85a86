// The start page's large mode buttons: a hover image, hand cursors, and the
// process-wide index of the hovered button that the page reads to show the
// hovered mode's description.
#pragma once

#include "CBitmapPairButton.h"

// Index of the hovered mode button; 0 when none is hovered.
extern int g_nHoverButtonIndex;

// The owner sets m_pCompanion (repainted on hover and leave) and m_nIndex
// right after creating the button, then calls LoadBitmaps.
class CHoverButton : public CBitmapPairButton
{
    DECLARE_DYNAMIC(CHoverButton)
public:
    CHoverButton();
    ~CHoverButton() override;

    BOOL IsHover() const { return m_bHover; }

    // The hover image while hovered, the normal one otherwise; pressed and
    // focused states look like the rest state.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    CWnd* m_pCompanion;
    int m_nIndex;

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

    BOOL m_bHover;
    BOOL m_bTracking;
    HCURSOR m_hCursor;          // an open hand over the button
    HCURSOR m_hCursorPressed;   // a pressed hand while the button goes down
};
