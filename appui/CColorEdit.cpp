#include "CColorEdit.h"

IMPLEMENT_DYNAMIC(CColorEdit, CEdit)

BEGIN_MESSAGE_MAP(CColorEdit, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CColorEdit::CColorEdit() = default;

CColorEdit::~CColorEdit() = default;

HBRUSH CColorEdit::CtlColor(CDC* pDC, UINT)
{
    return m_colors.CtlColor(pDC);
}

BOOL CColorEdit::OnEraseBkgnd(CDC* pDC)
{
    m_colors.PrepareErase(pDC);
    return CEdit::OnEraseBkgnd(pDC);
}
