#include "database/ReportDaoException.h"

#include <stdio.h>

#include "msg/MessageSink.h"

std::wstring DaoExceptionText(const CDaoException* e)
{
    wchar_t text[512];
    if (e->m_pErrorInfo != NULL) {
        // The text goes through the message dialog's markup.
        swprintf(text, 512, L"%ls   (%ld)", EscapeMarkup((LPCTSTR)e->m_pErrorInfo->m_strDescription).c_str(),
                 e->m_pErrorInfo->m_lErrorCode);
        return text;
    }
    const SCODE s = e->m_scode;
    swprintf(text, 512,
             L"ERROR:CDaoException\n\nSCODE_CODE      =%d\nSCODE_FACILITY  =%d\nSCODE_SEVERITY  =%d\n"
             L"ResultFromScode =%d\n",
             (int)(s & 0xFFFF), (int)((s >> 16) & 0x1FFF), s < 0 ? 1 : 0, (int)s);
    return text;
}

void ReportDaoException(CDaoException* e)
{
    if (e == NULL)
        return;
    ShowMessage(DaoExceptionText(e).c_str(), MessageKindError);
}
