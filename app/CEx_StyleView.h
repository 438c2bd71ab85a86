// The start page, the wizard's first view (made by the document template):
// a path field with "Select", which opens the file dialog for a VHD or VHDX
// image, and three large buttons for the recovery modes, with a line under
// them describing the hovered one. A mode opens the image through the
// frame's virtual disk, fixes the scan mode and moves to the drive step.
#pragma once

#include <afxwin.h>

#include "CHoverButton.h"
#include "CVZButton.h"

class CEx_StyleView : public CView
{
    DECLARE_DYNCREATE(CEx_StyleView)
public:
    enum
    {
        IdQuickScan = 131,
        IdFileTrace = 132,
        IdExtensiveScan = 133,
        IdSelectImage = 61491,
        IdImagePath = 61492,
    };

    CEx_StyleView();
    ~CEx_StyleView() override;

    // The image file dialog; also the frame's Open command.
    afx_msg void OnSelectImage();
    afx_msg void OnQuickScan();
    afx_msg void OnExtensiveScan();
    afx_msg void OnFileTrace();

    // Opens the image the path edit names: 1 when it is open, 0 after a
    // message.
    int OpenImage();

    CHoverButton m_quickScan;
    CHoverButton m_fileTrace;
    CHoverButton m_extensiveScan;
    CVZButton m_select;
    CEdit m_path;
    CString m_strImageExt;
    CString m_strImageFileName;
    CString m_strOpenedPath;
    BOOL m_bQuickScanRequest;
    CFont m_headingFont;
    CFont m_descriptionFont;

protected:
    void OnDraw(CDC* pDC) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    // The mode commands' shared steps.
    void RunMode(int nMode);

    CFont m_selectFont;
    CFont m_pathFont;
    int m_nHeaderLeftWidth;
    int m_nHeaderRightLeft;
};
