#include "CPieChart.h"

#include <algorithm>
#include <math.h>
#include <set>

IMPLEMENT_SERIAL(CPieChart, CObject, 1)

namespace {

const double kPi = 3.1415926;
const int kRowHeight = 20;
const int kBoxWidth = 30;
const int kBoxHeight = 15;
const int kTextGap = 5;
const int kLegendGap = 30;   // between the pie and the legend
const int kTitleGap = 20;    // between the pie and the title's baseline

// The end of the radial at a running total of nTotal percent, on a circle of
// 1000 units (the vertical axis squeezed to three quarters); the total runs
// counter-clockwise from the top.
CPoint RadialEnd(int nTotal)
{
    double dAngle = 2 * nTotal * kPi * 0.01 + kPi;
    return CPoint((int)(sin(dAngle) * 1000), (int)(cos(dAngle) * 3000) / 4);
}

// Deletes each slice once: a loaded archive may name one object twice.
void DeleteSlices(CObArray& arr)
{
    std::set<CObject*> deleted;
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
    {
        if (deleted.insert(arr[i]).second)
            delete arr[i];
    }
    arr.RemoveAll();
}

}  // namespace

CPieChart::CPieChart() : m_bOwnsSlices(FALSE), m_crPen(RGB(0, 255, 0)), m_crText(RGB(0, 0, 0)) {}

CPieChart::~CPieChart()
{
    if (m_bOwnsSlices)
        DeleteSlices(m_arrSlices);
}

INT_PTR CPieChart::AddSlice(CPieSlice* pSlice)
{
    return m_arrSlices.Add(pSlice);
}

void CPieChart::RemoveAllSlices()
{
    DeleteSlices(m_arrSlices);
}

int CPieChart::PercentSum() const
{
    int nSum = 0;
    for (INT_PTR i = 0; i < GetSliceCount(); i++)
        nSum += GetSlice(i)->m_nPercent;
    return nSum;
}

void CPieChart::Draw(CDC* pDC, int x, int y, int nRadius, BOOL bTitle, int nLegend, int nMode)
{
    INT_PTR nCount = GetSliceCount();
    if (nMode == closeStrict && (nCount == 0 || PercentSum() != 100))
        return;

    int nSaved = pDC->SaveDC();
    pDC->SetViewportOrg(x, y);
    CPen pen(PS_SOLID, 0, m_crPen);
    pDC->SelectObject(&pen);
    CPoint ptStart(0, -1000);
    int nTotal = 0;
    for (INT_PTR i = 0; i < nCount; i++)
    {
        CPieSlice* pSlice = GetSlice(i);
        int nPrevTotal = nTotal;
        nTotal += pSlice->m_nPercent;
        if (nMode == closeLast && i == nCount - 1)
            nTotal = 100;
        // A total that does not move takes no wedge: GDI draws a pie with
        // equal radials as the whole ellipse, over every other slice.
        if (nTotal == nPrevTotal)
            continue;
        CPoint ptEnd = RadialEnd(nTotal);
        CBrush brush(pSlice->m_crColor);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        pDC->Pie(-nRadius, -nRadius, nRadius, nRadius, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
        pDC->SelectObject(pOldBrush);
        ptStart = ptEnd;
    }

    // The title and the legend are placed in device coordinates, like the
    // centre, and drawn at the matching logical points.
    if (bTitle)
    {
        CPoint ptTitle(x, y - nRadius - kTitleGap);
        pDC->DPtoLP(&ptTitle);
        pDC->SetTextAlign(TA_CENTER | TA_BOTTOM);
        pDC->SetTextColor(m_crText);
        pDC->SetBkMode(TRANSPARENT);
        pDC->TextOut(ptTitle.x, ptTitle.y, m_strTitle);
        pDC->SetTextAlign(TA_LEFT | TA_TOP);
    }
    CPoint ptLegend;
    BOOL bLegend = TRUE;
    if (nLegend == legendRight)
        ptLegend = CPoint(x + nRadius + kLegendGap, std::max(y - (int)(nCount * kRowHeight) / 2, y - nRadius));
    else if (nLegend == legendBelow)
        ptLegend = CPoint(x - nRadius, y + nRadius + kLegendGap);
    else
        bLegend = FALSE;
    if (bLegend)
    {
        pDC->DPtoLP(&ptLegend);
        DrawLegend(pDC, ptLegend.x, ptLegend.y, nMode);
    }
    pDC->RestoreDC(nSaved);
}

CString CPieChart::GetLegendText(INT_PTR nIndex, int nMode) const
{
    CString strText;
    CPieSlice* pSlice = GetSlice(nIndex);
    if (nMode == closeLast && nIndex == GetSliceCount() - 1)
        strText.Format(_T("%s(%d%%)"), (LPCTSTR)pSlice->m_strDescription, 100 - (PercentSum() - pSlice->m_nPercent));
    else
        strText.Format(_T("%s (%d%%)"), (LPCTSTR)pSlice->m_strDescription, pSlice->m_nPercent);
    return strText;
}

void CPieChart::DrawLegend(CDC* pDC, int x, int y, int nMode)
{
    int nSaved = pDC->SaveDC();
    pDC->SetTextColor(m_crText);
    pDC->SetBkMode(TRANSPARENT);
    for (INT_PTR i = 0; i < GetSliceCount(); i++, y += kRowHeight)
    {
        pDC->FillSolidRect(x, y, kBoxWidth, kBoxHeight, GetSlice(i)->m_crColor);
        pDC->TextOut(x + kBoxWidth + kTextGap, y, GetLegendText(i, nMode));
    }
    pDC->RestoreDC(nSaved);
}

void CPieChart::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << (DWORD)1 << (DWORD)m_bOwnsSlices << (DWORD)m_crPen << (DWORD)m_crText << m_strTitle;
        m_arrSlices.Serialize(ar);
        return;
    }

    // Everything is read aside first, so that a bad archive changes nothing.
    DWORD dwSchema = 0;
    ar >> dwSchema;
    if (dwSchema != 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
    DWORD dwOwns = 0;
    DWORD dwPen = 0;
    DWORD dwText = 0;
    CString strTitle;
    ar >> dwOwns >> dwPen >> dwText >> strTitle;
    CObArray arrSlices;
    try
    {
        arrSlices.Serialize(ar);
        for (INT_PTR i = 0; i < arrSlices.GetSize(); i++)
        {
            if (arrSlices[i] == NULL || !arrSlices[i]->IsKindOf(RUNTIME_CLASS(CPieSlice)))
                AfxThrowArchiveException(CArchiveException::badClass);
        }
    }
    catch (CException*)
    {
        DeleteSlices(arrSlices);
        throw;
    }

    if (m_bOwnsSlices)
        DeleteSlices(m_arrSlices);
    else
        m_arrSlices.RemoveAll();
    m_bOwnsSlices = dwOwns != 0;
    m_crPen = dwPen;
    m_crText = dwText;
    m_strTitle = strTitle;
    m_arrSlices.Append(arrSlices);
}
