// A group box that draws itself: a frame with rounded corners and a coloured
// caption, or a panel with a rounded caption bar, in colours and a font the
// owner chooses.
#pragma once

#include <afxwin.h>

// Subclass a BS_GROUPBOX button with it, or create one. The setters return
// the box, so that calls chain:
//   m_group.SetBorderColor(crBlue).SetCaptionTextColor(crBlue).SetFontBold(TRUE);
class CXPGroupBox : public CButton
{
    DECLARE_DYNAMIC(CXPGroupBox)
public:
    enum GroupStyle
    {
        styleFrame = 0,   // rounded frame whose top edge runs through the caption
        stylePanel = 1,   // rounded caption bar over a body
    };
    enum Alignment
    {
        alignLeft = 0,
        alignCenter = 1,
        alignRight = 2,
    };

    CXPGroupBox();
    ~CXPGroupBox() override;

    virtual CXPGroupBox& SetBorderColor(COLORREF crBorder);
    virtual CXPGroupBox& SetCaptionTextColor(COLORREF crText);
    virtual CXPGroupBox& SetBackgroundColor(COLORREF crCaption, COLORREF crBody);
    virtual CXPGroupBox& SetBackgroundColor(COLORREF crBoth);
    virtual CXPGroupBox& SetGroupStyle(int nStyle);
    // Only while the window exists; the caption gets a blank on each side.
    virtual CXPGroupBox& SetText(LPCTSTR lpszText);
    virtual CXPGroupBox& SetFontBold(BOOL bBold);
    virtual CXPGroupBox& SetFontName(const CString& strName, BYTE nCharSet = ANSI_CHARSET);
    virtual CXPGroupBox& SetFontUnderline(BOOL bUnderline);
    virtual CXPGroupBox& SetFontItalic(BOOL bItalic);
    virtual CXPGroupBox& SetFontSize(int nPoints);
    virtual CXPGroupBox& SetFont(LOGFONT lf);
    using CButton::SetFont;
    // 1 and 2 are kept, anything else is left alignment.
    virtual CXPGroupBox& SetAlignment(int nAlignment);

    // Paints the box into any DC, in client coordinates.
    void PaintTo(CDC& dc);
    // Where PaintTo draws the caption, in client coordinates.
    CRect CaptionRect(CDC& dc);

    COLORREF GetBorderColor() const { return m_crBorder; }
    COLORREF GetCaptionTextColor() const { return m_crCaptionText; }
    int GetAlignment() const { return m_nAlignment; }
    const CString& GetCaption() const { return m_strCaption; }
    const LOGFONT& GetLogFont() const { return m_lf; }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    // Stores nothing; redraws the box and its place in the parent.
    void Repaint();
    void RecreateFont();
    // The caption, or else the window text with a blank on each side.
    CString CaptionText() const;

    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    CString m_strCaption;
    COLORREF m_crBorder;
    COLORREF m_crCaptionBackground;
    COLORREF m_crBody;
    COLORREF m_crCaptionText;
    int m_nGroupStyle;
    int m_nAlignment;
    LOGFONT m_lf;
    CFont m_font;
};
