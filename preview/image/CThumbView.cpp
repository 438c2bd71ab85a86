#include "image/CThumbView.h"

#include "CEx_StyleDoc.h"
#include "image/CxImage.h"
#include "image/ImageType.h"
#include "image/PreviewDocument.h"

IMPLEMENT_DYNCREATE(CThumbView, CListView)

// Selecting a thumbnail does nothing: an icon-view list sends no header
// item-change notification.
BEGIN_MESSAGE_MAP(CThumbView, CListView)
END_MESSAGE_MAP()

CThumbView::CThumbView() : m_nLoads(0), m_bStop(0) {}

CThumbView::~CThumbView() {}

BOOL CThumbView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext)
{
    (void)lpszWindowName;
    dwStyle |= LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE;
    return CListView::Create(lpszClassName, _T("ListView"), dwStyle, rect, pParentWnd, nID, pContext);
}

void CThumbView::OnInitialUpdate()
{
    CListView::OnInitialUpdate();
    CreateImageList();
}

void CThumbView::CreateImageList()
{
    if (m_imageList.GetSafeHandle() != NULL) {
        // The list still names the old image list: detach it there first.
        GetListCtrl().SetImageList(NULL, LVSIL_NORMAL);
        m_imageList.DeleteImageList();
    }
    m_imageList.Create(kThumbWidth, kThumbHeight, ILC_COLOR24, 0, 1);
    GetListCtrl().SetImageList(&m_imageList, LVSIL_NORMAL);
}

CRect CThumbView::ThumbnailRect(DWORD width, DWORD height)
{
    if (width == 0 || height == 0)
        return CRect(0, 0, 0, 0);
    float ratio = (float)height / (float)width;
    if (ratio > 0.75f) {
        int cx = (int)(kThumbHeight / ratio);
        int x = (kThumbWidth - cx) / 2;
        return CRect(x, 0, x + cx, kThumbHeight);
    }
    int cy = (int)(ratio * kThumbWidth);
    int y = (kThumbHeight - cy) / 2;
    return CRect(0, y, kThumbWidth, y + cy);
}

void CThumbView::LoadThumbnails()
{
    ++m_nLoads;
    CEx_StyleDoc* pDoc = GetPreviewDocument(this);
    if (pDoc == NULL || GetSafeHwnd() == NULL)
        return;
    CListCtrl& list = GetListCtrl();
    const int nCount = (int)pDoc->m_vecImageFiles.GetSize();

    CreateImageList();
    list.DeleteAllItems();
    m_imageList.SetImageCount(nCount);

    list.SetRedraw(FALSE);
    for (int i = 0; i < nCount; ++i) {
        CString text;
        text.Format(_T("%d"), i + 1);
        list.InsertItem(i, text, i);
    }
    list.SetRedraw(TRUE);
    Invalidate();

    // Names may go on changing while pictures load; take a copy.
    const CString folder = pDoc->m_strFolder;
    CArray<CString, CString&> names;
    names.Copy(pDoc->m_vecImageFiles);
    for (int i = 0; i < nCount && m_bStop != 1; ++i) {
        CString path;
        path.Format(_T("%s\\%s"), (LPCTSTR)folder, (LPCTSTR)names[i]);
        if (!::IsWindow(m_hWnd))
            break;
        LoadThumbnail(i, path);
    }
    if (::IsWindow(m_hWnd))
        Invalidate();
}

bool CThumbView::LoadThumbnail(int nItem, const CString& path)
{
    int type = GetImageTypeCode(path);
    if (type == 0)
        return false;
    CxImage image(path, type);
    if (!image.IsValid())
        return false;
    CRect target = ThumbnailRect(image.GetWidth(), image.GetHeight());

    CClientDC screen(this);
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(&screen) || !bitmap.CreateCompatibleBitmap(&screen, kThumbWidth, kThumbHeight))
        return false;
    CBitmap* pOld = memDC.SelectObject(&bitmap);
    CRect whole(0, 0, kThumbWidth, kThumbHeight);
    memDC.FillSolidRect(&whole, RGB(255, 255, 255));
    image.Stretch(memDC.GetSafeHdc(), target.left, target.top, target.Width(), target.Height(), SRCCOPY);
    CBrush black(RGB(0, 0, 0));
    memDC.FrameRect(&whole, &black);
    memDC.SelectObject(pOld);

    ::ImageList_Replace(m_imageList.GetSafeHandle(), nItem, (HBITMAP)bitmap.GetSafeHandle(), NULL);
    GetListCtrl().RedrawItems(nItem, nItem);
    return true;
}
