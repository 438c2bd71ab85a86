// A dockable, floatable bar of controls filled from a toolbar resource.
// Declared here with what the manager and the paint manager need; the
// bar's layout, docking and drawing are the toolbar's own.
#pragma once

#include "CVZPCommandBar.h"

class CVZPDockBar;
class CVZPCommandBarTracker;

class CVZPToolBar : public CVZPCommandBar
{
    DECLARE_SERIAL(CVZPToolBar)
public:
    CVZPToolBar();
    ~CVZPToolBar() override;

    // The bar's behaviour bits; giving them also makes the bar's drag
    // tracker.
    void SetFlags(DWORD dwFlags);
    BOOL HasTracker() const { return m_pTracker != NULL; }
    CVZPDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CVZPDockBar* pDockBar) { m_pDockBar = pDockBar; }

    BOOL SetVisible(BOOL bVisible) override;
    BOOL IsVisible() const override { return m_bVisible; }
    // The bar as a child of the site (docked) or as a window owned by it.
    virtual BOOL Create(CWnd* pParentWnd, BOOL bFloat);
    // Docked and rebar layout; nMinimum is the least thickness across.
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nMinimum = 0);
    // Hidden for print preview and shown again after it when it was visible.
    virtual void OnSetPreviewMode(BOOL bPreview);
    void DoPropExchange(CVZPPropExchange* pPX) override;

    BOOL m_bVisible;
    BOOL m_bBuiltIn;
    BOOL m_bTearOff;
    CVZPDockBar* m_pDockBar;
    CVZPCommandBarTracker* m_pTracker;
    BOOL m_bPreviewVisible;   // visible when print preview began
};
