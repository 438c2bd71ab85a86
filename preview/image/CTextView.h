// The preview pane's view of an icon or an enhanced metafile, loaded through
// OLE as a picture object. Transparent pictures (icons, metafiles) are
// stretched into the client area less 200 pixels left and right and 10 top
// and bottom; others are drawn at their own size at the top left.
#pragma once

#include <afxwin.h>
#include <ocidl.h>
#include <olectl.h>

class CTextView : public CView
{
    DECLARE_DYNCREATE(CTextView)
public:
    CTextView();
    ~CTextView() override;

    // Loads the picture file; 1 when OLE gave a picture, else 0.
    int LoadPicture(LPCTSTR lpszPath);
    // The rectangle transparent pictures are stretched into.
    static CRect MarginRect(const CRect& client);

    CSize m_sizeHimetric;
    CSize m_sizePixels;
    IPicture* m_pPicture;

protected:
    void OnDraw(CDC* pDC) override;
    // Printing keeps screen pixels at their size on paper.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    void ReleasePicture();
};
