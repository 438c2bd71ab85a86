// The library's rich-text tip window: the tool's text (RTF, or plain text
// when it is not RTF) is laid out by a hidden "RICHEDIT" child, sized to the
// narrowest width that keeps the height it has at twice the maximum tip
// width, and drawn with EM_FORMATRANGE.
#pragma once

#include "CVZPToolTipWnd.h"

class CVZPRichToolTipWnd : public CVZPToolTipWnd
{
public:
    explicit CVZPRichToolTipWnd(CVZPTooltipService* pService);

    CSize CalcTipSize(const CVZPTipTool& tool) override;
    void DrawTipText(CDC* pDC, LPCTSTR pszText, const CRect& rect) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnRequestResize(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // Loads the text into the rich edit with the tip's colours and font.
    void LoadRichText(const CString& strText);
    // The size the rich edit asks for at a width.
    CSize RequestSizeAt(int nWidth);

    CRichEditCtrl m_richEdit;
    int m_nRequestedWidth;
    int m_nRequestedHeight;
};
