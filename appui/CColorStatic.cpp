#include "CColorStatic.h"

IMPLEMENT_DYNAMIC(CColorStatic, CStatic)

BEGIN_MESSAGE_MAP(CColorStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CColorStatic::CColorStatic() = default;

CColorStatic::~CColorStatic() = default;

HBRUSH CColorStatic::CtlColor(CDC* pDC, UINT)
{
    return m_colors.CtlColor(pDC);
}

BOOL CColorStatic::OnEraseBkgnd(CDC* pDC)
{
    m_colors.PrepareErase(pDC);
    return CStatic::OnEraseBkgnd(pDC);
}
