// A control that opens a popup bar: menu item with a submenu (type 2),
// drop-down button (3) or split button (4).
#pragma once

#include "CVZPControl.h"

class CVZPCommandBar;

class CVZPControlPopup : public CVZPControl
{
    DECLARE_SERIAL(CVZPControlPopup)
public:
    CVZPControlPopup();
    ~CVZPControlPopup() override;

    // Width of a split button's arrow part on a bar and on a popup bar.
    enum { kSplitZoneBar = 11, kSplitZonePopup = 20 };

    // A popup control of type 2, 3 or 4.
    static CVZPControlPopup* AFX_CDECL CreateControlPopup(int nType);

    CVZPCommandBar* GetCommandBar() const override { return m_pCommandBar; }
    // Adds a reference on the bar and releases the previous one.
    void SetCommandBar(CVZPCommandBar* pBar);
    // The popup bar is showing.
    BOOL IsPopupOpen() const { return m_bPopup; }
    // The popup bar (or, at any depth, one of its popups) is pOther's bar.
    BOOL ContainsPopup(CVZPControlPopup* pOther) const;
    // The full-menu timer: an open menu shows its rarely used items.
    void ExpandPopup();
    virtual void ShowControlShadow();
    virtual void AdjustExcludeRect(CRect& rc);

    BOOL Compare(CVZPControl* pOther) override;
    void OnUnderlineActivate() override;
    void Copy(CVZPControl* pControl, BOOL bRecursive = FALSE) override;
    BOOL SetPopuped(BOOL bPopuped) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint point) override;
    BOOL OnLButtonDblClk(CPoint point) override;
    void OnMouseHover() override;
    BOOL SetSelected(int bSelected) override;
    void OnCustomizeDragOver(CVZPControl* pDataObject, CPoint point, DROPEFFECT& dropEffect) override;

    void DoPropExchange(CVZPPropExchange* pPX) override;

    BOOL m_bPopup;
    CVZPCommandBar* m_pCommandBar;
    // The id of the popup bar a loaded control names, until the loaded
    // bars are resolved; 0 none.
    UINT m_nPendingCommandBarId = 0;

protected:
    // The parent bar is a popup bar (Type 2).
    BOOL IsOnPopupBar() const;
};
