// A rebar that carries command-bar toolbars as bands.
#pragma once

#include <afxwin.h>

class CVZPToolBar;

class CVZPReBar : public CReBar
{
    DECLARE_DYNAMIC(CVZPReBar)
public:
    CVZPReBar();
    ~CVZPReBar() override;

    // Takes the toolbar out of its dock bar and adds it as the last band,
    // whose band id becomes the bar's id.
    BOOL AddToolBar(CVZPToolBar* pToolBar, DWORD dwBandStyle);
    // -1 when no band holds the bar; else what RB_DELETEBAND answers.
    int RemoveToolBar(CVZPToolBar* pToolBar);
    // The toolbar of a band, NULL when its child is none.
    CVZPToolBar* GetToolBar(int nBand) const;
    // The last band holding the bar, -1 when none.
    int FindBand(CVZPToolBar* pToolBar) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
