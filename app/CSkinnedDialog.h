// The base of the wizard's skinned dialogs: a skin bitmap (a DIB section)
// copied at its own size on WM_ERASEBKGND, one white brush for the life of
// the dialog, and the Arial fonts their controls use.
#pragma once

#include <afxwin.h>

class CSkinnedDialog : public CDialog
{
public:
    CSkinnedDialog(UINT nIDTemplate, UINT nIDSkin, CWnd* pParent = NULL);
    ~CSkinnedDialog() override;

    // Arial of the height and weight into font (made again when it exists).
    static BOOL MakeArialFont(CFont& font, int nHeight, int nWeight);

    HBITMAP SkinBitmap() const { return m_hSkin; }

protected:
    // The white brush, made on first use.
    HBRUSH WhiteBrush();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    HBITMAP m_hSkin;
    CBrush m_whiteBrush;
};
