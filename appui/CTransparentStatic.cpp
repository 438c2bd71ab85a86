#include "CTransparentStatic.h"

IMPLEMENT_DYNAMIC(CTransparentStatic, CStatic)

BEGIN_MESSAGE_MAP(CTransparentStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

HBRUSH TransparentCtlColor(CDC* pDC)
{
    pDC->SetBkMode(TRANSPARENT);
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

void RepaintParentBehind(CWnd* pWnd)
{
    CWnd* pParent = pWnd->GetParent();
    if (pParent == NULL)
        return;
    CRect rect;
    pWnd->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    pParent->InvalidateRect(&rect, TRUE);
    pParent->UpdateWindow();
}

CTransparentStatic::CTransparentStatic() = default;

CTransparentStatic::~CTransparentStatic() = default;

HBRUSH CTransparentStatic::CtlColor(CDC* pDC, UINT)
{
    return TransparentCtlColor(pDC);
}

LRESULT CTransparentStatic::OnSetText(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    // The static paints nothing under its text, so the parent must paint the
    // old text over before the new one is drawn.
    RepaintParentBehind(this);
    return lResult;
}
