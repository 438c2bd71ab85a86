// The list sorter on a real list view: digit numbers past 32 bits, text,
// dates in the prefix's own format, and the rows' item data.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxcmn.h>

#include "CListCtrlSorter.h"
#include "ControlsTestSupport.h"

#include <oleauto.h>

#include <vector>

using namespace appui_test;

namespace {

// A date as the user's locale writes it, the way the result list shows it.
CString LocaleDate(int nYear, int nMonth, int nDay)
{
    BSTR bstr = NULL;
    if (FAILED(::VarBstrFromDate(COleDateTime(nYear, nMonth, nDay, 0, 0, 0).m_dt, LOCALE_USER_DEFAULT, 0, &bstr)))
        return CString();
    CString str(bstr);
    ::SysFreeString(bstr);
    return str;
}

class ListSorterTest : public CanvasTest
{
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), m_pCanvas, 200));
        m_list.InsertColumn(0, _T("Name"), LVCFMT_LEFT, 100);
        m_list.InsertColumn(1, _T("Value"), LVCFMT_LEFT, 100);
    }
    void TearDown() override { m_list.DestroyWindow(); }

    // One row per text, in column 1, with item data 1000 + its index.
    void Fill(const std::vector<CString>& texts)
    {
        m_list.DeleteAllItems();
        for (size_t i = 0; i < texts.size(); i++)
        {
            CString strName;
            strName.Format(_T("row %u"), (unsigned)i);
            int nItem = m_list.InsertItem((int)i, strName);
            m_list.SetItemText(nItem, 1, texts[i]);
            m_list.SetItemData(nItem, 1000 + i);
        }
    }

    // Sorts by column 1 and returns the column's texts in their new order,
    // checking that every row kept its item data.
    std::vector<CString> Sorted(const std::vector<CString>& texts, BOOL bAscending, int nType)
    {
        Fill(texts);
        {
            CListCtrlSorter sorter(&m_list, 1);
            EXPECT_TRUE(sorter.Sort(bAscending, nType));
        }
        std::vector<CString> result;
        for (int i = 0; i < m_list.GetItemCount(); i++)
        {
            CString strText = m_list.GetItemText(i, 1);
            result.push_back(strText);
            CString strName = m_list.GetItemText(i, 0);
            DWORD_PTR dwData = m_list.GetItemData(i);
            CString strExpectedName;
            strExpectedName.Format(_T("row %u"), (unsigned)(dwData - 1000));
            EXPECT_EQ(strExpectedName, strName) << "item data moved with its row";
        }
        return result;
    }

    CListCtrl m_list;
};

std::vector<CString> Reversed(std::vector<CString> v)
{
    return std::vector<CString>(v.rbegin(), v.rend());
}

TEST_F(ListSorterTest, DigitsCompareAsOneUnsigned64BitNumber)
{
    // Sizes from the result list: byte counts past 2 and 4 GiB, and texts
    // with separators and units.
    std::vector<CString> texts = { _T("5,368,709,120"), _T("999 KB"), _T("2,147,483,648"), _T("1,024 KB"),
                                   _T("none"), _T("4,294,967,296"), _T("12") };
    std::vector<CString> ascending = { _T("none"), _T("12"), _T("999 KB"), _T("1,024 KB"), _T("2,147,483,648"),
                                       _T("4,294,967,296"), _T("5,368,709,120") };
    EXPECT_EQ(ascending, Sorted(texts, TRUE, CListCtrlSorter::compareDigits));
    EXPECT_EQ(Reversed(ascending), Sorted(texts, FALSE, CListCtrlSorter::compareDigits));
    // Only the flag's low byte counts.
    EXPECT_EQ(Reversed(ascending), Sorted(texts, 0x100, CListCtrlSorter::compareDigits));
}

TEST_F(ListSorterTest, TextComparesWithoutCase)
{
    std::vector<CString> texts = { _T("banana"), _T("Cherry"), _T("apple"), _T("Apricot"), _T("BANANA split") };
    std::vector<CString> ascending = { _T("apple"), _T("Apricot"), _T("banana"), _T("BANANA split"), _T("Cherry") };
    EXPECT_EQ(ascending, Sorted(texts, TRUE, CListCtrlSorter::compareText));
    EXPECT_EQ(Reversed(ascending), Sorted(texts, FALSE, CListCtrlSorter::compareText));
}

TEST_F(ListSorterTest, DatesCompareInTheUsersFormat)
{
    CString d1 = LocaleDate(2019, 12, 31);
    CString d2 = LocaleDate(2020, 3, 1);
    CString d3 = LocaleDate(2020, 10, 2);
    CString d4 = LocaleDate(2021, 1, 15);
    ASSERT_FALSE(d1.IsEmpty());
    // Text order differs from date order in any locale's short format.
    std::vector<CString> texts = { d3, d1, d4, d2 };
    std::vector<CString> ascending = { d1, d2, d3, d4 };
    EXPECT_EQ(ascending, Sorted(texts, TRUE, CListCtrlSorter::compareDate));
    EXPECT_EQ(Reversed(ascending), Sorted(texts, FALSE, CListCtrlSorter::compareDate));

    // Texts that are no dates compare equal to anything: they keep their
    // order relative to each other.
    std::vector<CString> withBad = { _T("unknown"), d4, _T("n/a"), d1, _T("--") };
    std::vector<CString> sorted = Sorted(withBad, TRUE, CListCtrlSorter::compareDate);
    std::vector<CString> bad;
    for (const CString& s : sorted)
    {
        if (s == _T("unknown") || s == _T("n/a") || s == _T("--"))
            bad.push_back(s);
    }
    EXPECT_EQ((std::vector<CString>{ _T("unknown"), _T("n/a"), _T("--") }), bad);
}

TEST_F(ListSorterTest, RealNumbersAndUnknownTypes)
{
    std::vector<CString> texts = { _T("2.5"), _T("-1"), _T("10"), _T("0.25") };
    EXPECT_EQ((std::vector<CString>{ _T("-1"), _T("0.25"), _T("2.5"), _T("10") }),
              Sorted(texts, TRUE, CListCtrlSorter::compareReal));
    EXPECT_EQ((std::vector<CString>{ _T("10"), _T("2.5"), _T("0.25"), _T("-1") }),
              Sorted(texts, FALSE, CListCtrlSorter::compareReal));
    // An unknown type compares everything equal: the order stays.
    EXPECT_EQ(texts, Sorted(texts, TRUE, 5));
}

}  // namespace
