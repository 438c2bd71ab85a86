// The pie chart drawn into a DIB canvas: its wedges, the closing modes,
// zero-percent slices, where the title and the legend land, and its archive
// form.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "CPieChart.h"
#include "Screenshots.h"

#include <TestSupport.h>

#include <math.h>

#include <vector>

using namespace appui_test;
using tesmir::test::CDibCanvas;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kAccent = RGB(29, 117, 189);

struct SliceSpec
{
    int nPercent;
    COLORREF cr;
    LPCTSTR lpszDescription;
};

// A chart that owns its slices, drawn in the accent colour with black pens.
void Fill(CPieChart& chart, const std::vector<SliceSpec>& slices)
{
    chart.RemoveAllSlices();
    chart.m_bOwnsSlices = TRUE;
    chart.m_crPen = RGB(0, 0, 0);
    chart.m_crText = kAccent;
    chart.m_strTitle = _T("Partitions");
    for (const SliceSpec& s : slices)
    {
        CPieSlice* pSlice = new CPieSlice;
        pSlice->m_nPercent = s.nPercent;
        pSlice->m_crColor = s.cr;
        pSlice->m_strDescription = s.lpszDescription;
        chart.AddSlice(pSlice);
    }
}

// Pixels of a colour inside the pie's square.
int CountInPie(const CDibCanvas& canvas, int x, int y, int r, COLORREF cr)
{
    return canvas.Count(CRect(x - r, y - r, x + r, y + r), cr);
}

CSize TextExtent(const CDibCanvas& canvas, const CString& str)
{
    SIZE size = {};
    ::GetTextExtentPoint32(canvas.Dc(), str, str.GetLength(), &size);
    return size;
}

TEST(PieChartTest, HalvesLieOnEitherSideOfTheCentre)
{
    CPieChart chart;
    Fill(chart, { { 50, kRed, _T("C:") }, { 50, kBlue, _T("D:") } });
    CDibCanvas canvas(400, 400);
    chart.Draw(CDC::FromHandle(canvas.Dc()), 200, 200, 60, FALSE, CPieChart::legendNone, CPieChart::closeStrict);
    SaveScreenshot(canvas, L"pie_halves");
    // The first slice runs counter-clockwise from the top: the left half.
    for (int d : { 10, 30, 55 })
    {
        EXPECT_EQ(kRed, canvas.Pixel(200 - d, 200 + d / 3)) << d;
        EXPECT_EQ(kBlue, canvas.Pixel(200 + d, 200 - d / 3)) << d;
    }
    EXPECT_EQ(kWhite, canvas.Pixel(200 - 70, 200));
    // The caller's DC is as it was: the origin did not move.
    POINT pt = { 1, 1 };
    ::GetViewportOrgEx(canvas.Dc(), &pt);
    EXPECT_EQ(0, pt.x);
    EXPECT_EQ(0, pt.y);
}

TEST(PieChartTest, ClosingModes)
{
    CPieChart chart;
    Fill(chart, { { 30, kRed, _T("first") }, { 30, kBlue, _T("second") }, { 30, kYellow, _T("third") } });

    // Strict: 90 % is no pie, and no legend either.
    CDibCanvas strict(400, 400);
    chart.Draw(CDC::FromHandle(strict.Dc()), 200, 200, 60, TRUE, CPieChart::legendRight, CPieChart::closeStrict);
    EXPECT_EQ(400 * 400, strict.Count(CRect(0, 0, 400, 400), kWhite));

    // Closing: the last slice takes what is left, and its legend says so.
    CDibCanvas closing(400, 400);
    chart.Draw(CDC::FromHandle(closing.Dc()), 200, 200, 60, TRUE, CPieChart::legendRight, CPieChart::closeLast);
    SaveScreenshot(closing, L"pie_closing");
    EXPECT_GT(CountInPie(closing, 200, 200, 60, kRed), 0);
    EXPECT_GT(CountInPie(closing, 200, 200, 60, kBlue), 0);
    EXPECT_GT(CountInPie(closing, 200, 200, 60, kYellow), 0);
    // The pie is whole: no background shows inside it.
    for (int nDegrees = 0; nDegrees < 360; nDegrees += 5)
    {
        double dAngle = nDegrees * 3.14159265 / 180;
        int x = 200 + (int)(50 * cos(dAngle));
        int y = 200 + (int)(50 * sin(dAngle));
        EXPECT_NE(kWhite, closing.Pixel(x, y)) << nDegrees;
    }
    EXPECT_EQ(CString(_T("first (30%)")), chart.GetLegendText(0, CPieChart::closeLast));
    EXPECT_EQ(CString(_T("third(40%)")), chart.GetLegendText(2, CPieChart::closeLast));
    EXPECT_EQ(CString(_T("third (30%)")), chart.GetLegendText(2, CPieChart::closeStrict));

    // The last legend row: its box, then the text 5 right of it, in the text
    // colour and within the text's extent. Legend top: max(200 - 30, 140).
    int yRow = 170 + 2 * 20;
    EXPECT_EQ(30 * 15, closing.Count(CRect(290, yRow, 320, yRow + 15), kYellow));
    CSize size = TextExtent(closing, chart.GetLegendText(2, CPieChart::closeLast));
    int nText = closing.Count(CRect(325, yRow, 325 + size.cx, yRow + size.cy), kAccent);
    EXPECT_GT(nText, 0);
    EXPECT_EQ(nText, closing.Count(CRect(320, yRow, 400, yRow + size.cy), kAccent));
}

TEST(PieChartTest, ZeroPercentSliceNeverCoversThePie)
{
    const struct
    {
        std::vector<SliceSpec> slices;
        int nMode;
    } cases[] = {
        { { { 50, kRed, _T("a") }, { 0, kBlue, _T("empty") }, { 50, kYellow, _T("b") } }, CPieChart::closeStrict },
        { { { 50, kRed, _T("a") }, { 0, kBlue, _T("empty") }, { 50, kYellow, _T("b") } }, CPieChart::closeLast },
        { { { 60, kRed, _T("a") }, { 40, kYellow, _T("b") }, { 0, kBlue, _T("empty") } }, CPieChart::closeLast },
        { { { 100, kRed, _T("a") }, { 0, kBlue, _T("empty") } }, CPieChart::closeStrict },
    };
    for (const auto& c : cases)
    {
        CPieChart chart;
        Fill(chart, c.slices);
        CDibCanvas canvas(400, 400);
        chart.Draw(CDC::FromHandle(canvas.Dc()), 200, 200, 60, FALSE, CPieChart::legendBelow, c.nMode);
        EXPECT_GT(CountInPie(canvas, 200, 200, 60, kRed), 0);
        EXPECT_EQ(0, CountInPie(canvas, 200, 200, 60, kBlue)) << "no wedge for 0 %";
        // Its legend row stays: the box, and " (0%)" after the description.
        EXPECT_EQ(30 * 15, canvas.Count(CRect(0, 260, 400, 400), kBlue));
    }
    CPieChart chart;
    Fill(chart, { { 100, kRed, _T("a") }, { 0, kBlue, _T("empty") } });
    EXPECT_EQ(CString(_T("empty (0%)")), chart.GetLegendText(1, CPieChart::closeStrict));
    // A single full slice is the whole disc.
    CDibCanvas canvas(400, 400);
    chart.Draw(CDC::FromHandle(canvas.Dc()), 200, 200, 60, FALSE, CPieChart::legendNone, CPieChart::closeStrict);
    for (CPoint pt : { CPoint(170, 170), CPoint(230, 170), CPoint(170, 230), CPoint(230, 230) })
        EXPECT_EQ(kRed, canvas.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
}

TEST(PieChartTest, TitleAndLegendSitBesideThePie)
{
    // The drive panel's chart: centre (190, 300), radius 60.
    const struct
    {
        int nSlices;
        int nLegend;
        CPoint ptBox;
    } cases[] = {
        { 2, CPieChart::legendRight, CPoint(190 + 60 + 30, 300 - 20) },
        { 10, CPieChart::legendRight, CPoint(190 + 60 + 30, 300 - 60) },   // never above the pie's top
        { 2, CPieChart::legendBelow, CPoint(190 - 60, 300 + 60 + 30) },
    };
    for (const auto& c : cases)
    {
        std::vector<SliceSpec> slices;
        for (int i = 0; i < c.nSlices; i++)
            slices.push_back({ 100 / c.nSlices, i == 0 ? kRed : kYellow, _T("part") });
        CPieChart chart;
        Fill(chart, slices);
        CDibCanvas canvas(500, 600);
        chart.Draw(CDC::FromHandle(canvas.Dc()), 190, 300, 60, TRUE, c.nLegend, CPieChart::closeStrict);
        if (c.nSlices == 2 && c.nLegend == CPieChart::legendRight)
            SaveScreenshot(canvas, L"pie_drive_panel");
        // The first box, exactly there.
        CRect rectBox(c.ptBox, CSize(30, 15));
        EXPECT_EQ(30 * 15, canvas.Count(rectBox, kRed)) << c.nSlices << "/" << c.nLegend;
        EXPECT_EQ(30 * 15 + CountInPie(canvas, 190, 300, 60, kRed), canvas.Count(CRect(0, 0, 500, 600), kRed));

        // The title: centred on the pie, its baseline 20 above the pie's top.
        CSize size = TextExtent(canvas, _T("Partitions"));
        CRect rectTitle(190 - size.cx / 2 - 1, 220 - size.cy, 190 + size.cx / 2 + 1, 220);
        int nTitle = canvas.Count(rectTitle, kAccent);
        EXPECT_GT(nTitle, 0);
        EXPECT_EQ(nTitle, canvas.Count(CRect(0, 0, 500, 230), kAccent));
    }
}

// The chart stored through an archive into memory.
std::vector<BYTE> Store(CPieChart& chart)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        chart.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

// Loads bytes into the chart; the cause of the archive exception, or -1.
int Load(CPieChart& chart, const std::vector<BYTE>& bytes)
{
    CMemFile file;
    file.Write(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    int nCause = -1;
    try
    {
        chart.Serialize(ar);
    }
    catch (CArchiveException* e)
    {
        nCause = e->m_cause;
        e->Delete();
    }
    return nCause;
}

void ExpectEqualCharts(const CPieChart& a, const CPieChart& b)
{
    EXPECT_EQ(a.m_bOwnsSlices, b.m_bOwnsSlices);
    EXPECT_EQ(a.m_strTitle, b.m_strTitle);
    EXPECT_EQ(a.m_crPen, b.m_crPen);
    EXPECT_EQ(a.m_crText, b.m_crText);
    ASSERT_EQ(a.GetSliceCount(), b.GetSliceCount());
    for (INT_PTR i = 0; i < a.GetSliceCount(); i++)
    {
        EXPECT_EQ(a.GetSlice(i)->m_nPercent, b.GetSlice(i)->m_nPercent);
        EXPECT_EQ(a.GetSlice(i)->m_crColor, b.GetSlice(i)->m_crColor);
        EXPECT_EQ(a.GetSlice(i)->GetDescription(), b.GetSlice(i)->GetDescription());
        EXPECT_TRUE(b.GetSlice(i)->IsKindOf(RUNTIME_CLASS(CPieSlice)));
    }
}

DWORD Dword(const std::vector<BYTE>& bytes, size_t offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) | ((DWORD)bytes[offset + 3] << 24);
}

TEST(PieChartArchive, RoundTripGivesAnEqualChart)
{
    CPieChart chart;
    Fill(chart, { { 25, kRed, _T("System") }, { 70, kBlue, _T("Data \x00e9t\x00e9") }, { 5, kYellow, _T("") } });
    std::vector<BYTE> bytes = Store(chart);
    // The chart's fields lead: schema 1, owns-slices flag, pen, text colour.
    ASSERT_GE(bytes.size(), 16u);
    EXPECT_EQ(1u, Dword(bytes, 0));
    EXPECT_EQ(1u, Dword(bytes, 4));
    EXPECT_EQ((DWORD)RGB(0, 0, 0), Dword(bytes, 8));
    EXPECT_EQ((DWORD)kAccent, Dword(bytes, 12));

    CPieChart loaded;
    ASSERT_EQ(-1, Load(loaded, bytes));
    ExpectEqualCharts(chart, loaded);

    // A fresh slice has the documented defaults, and they survive too.
    CPieChart defaults;
    defaults.m_bOwnsSlices = TRUE;
    defaults.AddSlice(new CPieSlice);
    CPieChart loadedDefaults;
    ASSERT_EQ(-1, Load(loadedDefaults, Store(defaults)));
    ExpectEqualCharts(defaults, loadedDefaults);
    EXPECT_EQ(50, loadedDefaults.GetSlice(0)->m_nPercent);
    EXPECT_EQ(kRed, loadedDefaults.GetSlice(0)->m_crColor);
    EXPECT_EQ(CString(_T("<no description>")), loadedDefaults.GetSlice(0)->GetDescription());
}

TEST(PieChartArchive, BadArchivesThrowAndChangeNothing)
{
    CPieChart source;
    Fill(source, { { 40, RGB(1, 2, 3), _T("one") }, { 60, RGB(4, 5, 6), _T("two") } });
    std::vector<BYTE> good = Store(source);

    // The chart's schema.
    std::vector<BYTE> badChart = good;
    badChart[0] = 2;
    // The second slice's schema: the DWORD 1 before its percent and colour.
    std::vector<BYTE> badSlice = good;
    size_t nSlice = 0;
    for (size_t i = 0; i + 12 <= badSlice.size(); i++)
    {
        if (Dword(badSlice, i) == 1 && Dword(badSlice, i + 4) == 60 && Dword(badSlice, i + 8) == RGB(4, 5, 6))
            nSlice = i;
    }
    ASSERT_NE(0u, nSlice);
    badSlice[nSlice] = 2;
    // Cut short inside the slices.
    std::vector<BYTE> truncated(good.begin(), good.end() - 6);
    // Something other than a slice in the array.
    CPieChart inner;
    CPieChart outer;
    outer.m_arrSlices.Add(&inner);
    std::vector<BYTE> notSlices = Store(outer);
    outer.m_arrSlices.RemoveAll();

    const struct
    {
        const std::vector<BYTE>& bytes;
        int nCause;
    } cases[] = {
        { badChart, CArchiveException::badSchema },
        { badSlice, CArchiveException::badSchema },
        { truncated, CArchiveException::endOfFile },
        { notSlices, CArchiveException::badClass },
    };
    for (const auto& c : cases)
    {
        CPieChart chart;
        Fill(chart, { { 100, kRed, _T("kept") } });
        CPieChart before;
        Fill(before, { { 100, kRed, _T("kept") } });
        EXPECT_EQ(c.nCause, Load(chart, c.bytes));
        ExpectEqualCharts(before, chart);
    }
}

}  // namespace
