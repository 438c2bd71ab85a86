// One slice of a pie chart: a share in whole percent, a colour and a legend
// text.
#pragma once

#include <afx.h>

class CPieSlice : public CObject
{
    DECLARE_SERIAL(CPieSlice)
public:
    CPieSlice();
    ~CPieSlice() override;

    CString GetDescription() const { return m_strDescription; }

    // Schema 1: u32 schema, u32 percent, u32 colour, the description. Any
    // other schema throws CArchiveException (bad schema) and changes nothing.
    void Serialize(CArchive& ar) override;

    int m_nPercent;
    COLORREF m_crColor;        // the slice and its legend box
    CString m_strDescription;  // legend text
};
