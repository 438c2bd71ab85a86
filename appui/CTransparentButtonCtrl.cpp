#include "CTransparentButtonCtrl.h"

#include "CTransparentStatic.h"

IMPLEMENT_DYNAMIC(CTransparentButtonCtrl, CButton)

BEGIN_MESSAGE_MAP(CTransparentButtonCtrl, CButton)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CTransparentButtonCtrl::CTransparentButtonCtrl() = default;

CTransparentButtonCtrl::~CTransparentButtonCtrl() = default;

HBRUSH CTransparentButtonCtrl::CtlColor(CDC* pDC, UINT)
{
    return TransparentCtlColor(pDC);
}

BOOL CTransparentButtonCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
