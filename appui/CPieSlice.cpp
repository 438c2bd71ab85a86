#include "CPieSlice.h"

IMPLEMENT_SERIAL(CPieSlice, CObject, 1)

CPieSlice::CPieSlice() : m_nPercent(50), m_crColor(RGB(255, 0, 0)), m_strDescription(_T("<no description>")) {}

CPieSlice::~CPieSlice() = default;

void CPieSlice::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << (DWORD)1 << (DWORD)m_nPercent << (DWORD)m_crColor << m_strDescription;
        return;
    }
    DWORD dwSchema = 0;
    ar >> dwSchema;
    if (dwSchema != 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
    DWORD dwPercent = 0;
    DWORD dwColor = 0;
    CString strDescription;
    ar >> dwPercent >> dwColor >> strDescription;
    m_nPercent = (int)dwPercent;
    m_crColor = dwColor;
    m_strDescription = strDescription;
}
