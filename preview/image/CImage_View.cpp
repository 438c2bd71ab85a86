#include "image/CImage_View.h"

#include "image/CxImage.h"
#include "image/ImageType.h"
#include "image/PreviewDocument.h"

IMPLEMENT_DYNCREATE(CImage_View, CView)

BEGIN_MESSAGE_MAP(CImage_View, CView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CImage_View::CImage_View() {}

CImage_View::~CImage_View() {}

int CImage_View::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    CString path = GetPreviewPath(this);
    int type = GetImageTypeCode(path);
    if (type == 0)
        return 0;
    CxImage image(path, type);
    if (image.GetHeight() == 0 || image.GetWidth() == 0)
        ReportPreviewFailure();
    image.Destroy();
    return 0;
}

CRect CImage_View::PictureRect(int cx, DWORD width, DWORD height)
{
    float ratio = (float)height / (float)width;
    int b = (int)(ratio * 100);
    int x = cx / 2 - 100, y = (120 - b) / 2;
    return CRect(x, y, x + 200, y + b + 100);
}

void CImage_View::OnDraw(CDC* pDC)
{
    (void)pDC;
    CString path = GetPreviewPath(this);
    int type = GetImageTypeCode(path);
    if (type == 0)
        return;
    CxImage image(path, type);
    if (image.GetHeight() == 0 || image.GetWidth() == 0) {
        ReportPreviewFailure();
        return;
    }
    CRect client;
    GetClientRect(&client);
    CRect target = PictureRect(client.Width(), image.GetWidth(), image.GetHeight());
    CClientDC dc(this);
    image.Stretch(dc.GetSafeHdc(), target.left, target.top, target.Width(), target.Height(), SRCCOPY);
    image.Destroy();
}

void CImage_View::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    (void)pSender;
    (void)lHint;
    (void)pHint;
}
