#include "CVZPControlEdit.h"

IMPLEMENT_SERIAL(CVZPControlEdit, CVZPControl, VERSIONABLE_SCHEMA | 0x10)

CVZPControlEdit::CVZPControlEdit()
{
    m_controlType = vzpControlEdit;
}

CVZPControlEdit::~CVZPControlEdit()
{
}

void CVZPControlEdit::Copy(CVZPControl* pControl, BOOL bRecursive)
{
    CVZPControl::Copy(pControl, bRecursive);
    CVZPControlEdit* pEdit = DYNAMIC_DOWNCAST(CVZPControlEdit, pControl);
    if (pEdit == NULL)
        return;
    m_bLabel = pEdit->m_bLabel;
    m_nWidth = pEdit->m_nWidth;
    m_bReadOnly = pEdit->m_bReadOnly;
    m_strEditHint = pEdit->m_strEditHint;
    m_dwShellAutoCompleteFlags = pEdit->m_dwShellAutoCompleteFlags;
}
