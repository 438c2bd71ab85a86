// A pie of percentage slices with an optional title and a legend, drawn into
// any device context.
#pragma once

#include <afxwin.h>

#include "CPieSlice.h"

class CPieChart : public CObject
{
    DECLARE_SERIAL(CPieChart)
public:
    enum LegendPlacement
    {
        legendNone = 0,
        legendRight = 1,
        legendBelow = 2,
    };
    enum ClosingMode
    {
        closeStrict = 0,   // draw only when the slices add up to exactly 100
        closeLast = 1,     // draw anyway; the last slice closes the circle
    };

    CPieChart();
    ~CPieChart() override;

    // Appends a slice; the index it got.
    INT_PTR AddSlice(CPieSlice* pSlice);
    // Deletes every slice, owned or not, and empties the chart.
    void RemoveAllSlices();
    INT_PTR GetSliceCount() const { return m_arrSlices.GetSize(); }
    CPieSlice* GetSlice(INT_PTR nIndex) const { return (CPieSlice*)m_arrSlices[nIndex]; }

    // The pie around (x, y) in device coordinates, the title 20 units above
    // it, the legend 30 units right of it or below it. Slices drawn in order,
    // counter-clockwise from the top. The DC's state is left as it was.
    void Draw(CDC* pDC, int x, int y, int nRadius, BOOL bTitle, int nLegend, int nMode);
    // One row per slice, 20 units apart from (x, y) in logical coordinates: a
    // 30 x 15 box in the slice's colour and, 5 units right of it, the text.
    void DrawLegend(CDC* pDC, int x, int y, int nMode);
    // The legend row's text: the description and " (n%)"; in closing mode 1
    // the last row reads "(n%)" with what the others leave of 100.
    CString GetLegendText(INT_PTR nIndex, int nMode) const;

    // Schema 1: u32 schema, u32 owns-slices flag, u32 pen colour, u32 text
    // colour, the title, then the slices as an object array. Any other schema,
    // or an array holding something other than slices, throws
    // CArchiveException and leaves the chart unchanged.
    void Serialize(CArchive& ar) override;

    BOOL m_bOwnsSlices;   // delete the slices with the chart
    CString m_strTitle;
    CObArray m_arrSlices;
    COLORREF m_crPen;     // outline of every slice
    COLORREF m_crText;    // title and legend

private:
    int PercentSum() const;
};
