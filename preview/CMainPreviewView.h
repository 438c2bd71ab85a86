// The recovery step's preview pane: a header band with the previewed
// entry's path, and below it the view of the file chosen by its extension.
// This form shows a plain placeholder for every file; the viewers come
// later.
#pragma once

#include <afxwin.h>

class CThumbView;

// The in-image path of the previewed entry ("\" + folder path + "\" +
// name), drawn in the header band.
extern CString g_strPreviewEntryPath;

// TRUE when the extension (with its dot, compared exactly, so callers pass
// it lower-cased) has a viewer. The path is not looked at.
BOOL IsPreviewableExtension(CString path, CString extension);

class CMainPreviewView : public CView
{
    DECLARE_DYNCREATE(CMainPreviewView)
public:
    CMainPreviewView();
    ~CMainPreviewView() override;

    // Shows the preview of a temporary copy: clears the frame's preview-ok
    // flag, asks the gate, stores its answer as the previewable flag, sets
    // preview-ok again and shows the placeholder.
    void ShowPreview(CString path, CString extension);
    // Closes the viewer shown; harmless when there is none.
    void CloseViewers();
    // The no-preview view: the entry path emptied.
    void ShowNoPreviewView();

    // The viewer shown now (the placeholder), or null.
    CWnd* GetViewer() const { return m_pViewer; }

    CThumbView* m_pThumbView = nullptr;
    CString m_strLeftCaption1;
    CString m_strLeftCaption2;
    CString m_strRightCaption;
    CRect m_rectHeader;
    CRect m_rectBody;
    BOOL m_bHeaderVisible = TRUE;

protected:
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    void ShowPlaceholder(LPCTSTR lpszText);

    CWnd* m_pViewer = nullptr;
};
