#include "CVZPEdit.h"

IMPLEMENT_DYNCREATE(CVZPEdit, CEdit)

CVZPEdit::CVZPEdit() : m_bComposited(FALSE)
{
}

CVZPEdit::~CVZPEdit()
{
}

BOOL CVZPEdit::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return CEdit::OnCommand(wParam, lParam);
}
