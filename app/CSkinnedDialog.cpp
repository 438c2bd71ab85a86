#include "CSkinnedDialog.h"

BEGIN_MESSAGE_MAP(CSkinnedDialog, CDialog)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CSkinnedDialog::CSkinnedDialog(UINT nIDTemplate, UINT nIDSkin, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_hSkin(NULL)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDSkin), RT_BITMAP);
    m_hSkin = (HBITMAP)::LoadImage(hInst, MAKEINTRESOURCE(nIDSkin), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
}

CSkinnedDialog::~CSkinnedDialog()
{
    if (m_hSkin)
        ::DeleteObject(m_hSkin);
}

BOOL CSkinnedDialog::MakeArialFont(CFont& font, int nHeight, int nWeight)
{
    font.DeleteObject();
    LOGFONT lf = {};
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"Arial");
    return font.CreateFontIndirect(&lf);
}

HBRUSH CSkinnedDialog::WhiteBrush()
{
    if (!m_whiteBrush.GetSafeHandle())
        m_whiteBrush.CreateSolidBrush(RGB(255, 255, 255));
    return (HBRUSH)m_whiteBrush.GetSafeHandle();
}

BOOL CSkinnedDialog::OnEraseBkgnd(CDC* pDC)
{
    if (!m_hSkin)
        return CDialog::OnEraseBkgnd(pDC);
    BITMAP bm = {};
    ::GetObject(m_hSkin, sizeof bm, &bm);
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return CDialog::OnEraseBkgnd(pDC);
    HGDIOBJ hOld = ::SelectObject(memDC.GetSafeHdc(), m_hSkin);
    pDC->BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &memDC, 0, 0, SRCCOPY);
    ::SelectObject(memDC.GetSafeHdc(), hOld);
    return TRUE;
}
