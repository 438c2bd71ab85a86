#include "CFirstDisplay.h"

BOOL CFirstDisplay::Create(CWnd* pParent, const RECT& rect, UINT nID)
{
    if (!CStepPanel::Create(pParent, rect, nID))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    return CreateRowText(m_waitText, 1, Margin, client.Width() - 2 * Margin, 1003);
}
