// A grid selector that draws its own cells: the pointer selects cells from
// the top-left corner, dragging past the edges grows the grid up to its
// largest size, and releasing executes with the selected columns and rows.
#pragma once

#include "CVZPControl.h"

class CVZPControlSelector : public CVZPControl
{
    DECLARE_SERIAL(CVZPControlSelector)
public:
    CVZPControlSelector();
    ~CVZPControlSelector() override;

    // The site's notification of a changed selection.
    enum { notifySelectionChanged = 0x1006 };

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnCalcDynamicSize(DWORD dwMode) override;
    void DoPropExchange(CVZPPropExchange* pPX) override;
    void Copy(CVZPControl* pControl, BOOL bRecursive = FALSE) override;
    void OnLButtonUp(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    BOOL SetSelected(int bSelected) override;

    // Draws the content of one cell; the base draws nothing.
    virtual void DrawItem(CDC* pDC, CRect rcItem, COLORREF clrText);
    void SetSelection(int nColumns, int nRows, BOOL bForce);

    CSize m_szItemsCount;   // "ItemsCount": the grid when the selector opens
    CSize m_szItemsMax;     // "ItemsMax": the largest grid
    CSize m_szSelection;    // cells selected from the top-left
    CSize m_szItem;         // "ItemSize": one cell
    CSize m_szResult;       // the selection when the control executed
    CSize m_szGrid;         // the grid shown now
    BOOL m_bGrowing;        // the grid grows: its layout keeps the grid
};
