// The thumbnail list of a folder's pictures in the preview pane: an icon-view
// list of 160 x 120 thumbnails numbered "1", "2", ... in the order of the
// document's sorted picture list. The pictures live only in the image list,
// so the pane may delete the files once they are loaded.
#pragma once

#include <afxcview.h>

class CThumbView : public CListView
{
    DECLARE_DYNCREATE(CThumbView)
public:
    static const int kThumbWidth = 160;
    static const int kThumbHeight = 120;

    CThumbView();
    ~CThumbView() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, void* pContext = NULL) override;

    // Loads the pictures the document listed: one item per name, each image
    // the picture fitted into 160 x 120 on white inside a black frame; a file
    // that cannot be read leaves its image empty.
    void LoadThumbnails();

    // Where a picture of the size goes in its thumbnail: taller than 4:3
    // fills the height, otherwise the width, centred across the other side.
    static CRect ThumbnailRect(DWORD width, DWORD height);

    // How often LoadThumbnails ran (the document's callers can be checked).
    int m_nLoads;
    // Loading stops when this is 1.
    BYTE m_bStop;
    CImageList m_imageList;

protected:
    void OnInitialUpdate() override;
    DECLARE_MESSAGE_MAP()

private:
    void CreateImageList();
    // Draws picture number nItem's thumbnail into the image list; false
    // when the file is no readable picture.
    bool LoadThumbnail(int nItem, const CString& path);
};
