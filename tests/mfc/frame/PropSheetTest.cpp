// Property sheets: a modal sheet with two pages closed by its buttons.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "MfcFrameTestsRes.h"

namespace {

// A page with an edit field; it presses a sheet button when first shown.
class CTestPage : public CPropertyPage
{
public:
    CTestPage(UINT nIDTemplate, int nButton) : CPropertyPage(nIDTemplate), m_nButton(nButton) {}
    CString m_strText = _T("initial");
    int m_nButton;
    int m_nApplied = 0;
    int m_nReset = 0;
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (GetDlgItem(IDC_PAGE_EDIT) != NULL)
            DDX_Text(pDX, IDC_PAGE_EDIT, m_strText);
    }
    BOOL OnInitDialog() override
    {
        CPropertyPage::OnInitDialog();
        if (GetDlgItem(IDC_PAGE_EDIT) != NULL)
            SetDlgItemText(IDC_PAGE_EDIT, _T("typed"));
        return TRUE;
    }
    BOOL OnSetActive() override
    {
        if (m_nButton >= 0)
            GetParent()->PostMessage(PSM_PRESSBUTTON, (WPARAM)m_nButton);
        return CPropertyPage::OnSetActive();
    }
    BOOL OnApply() override { m_nApplied++; return CPropertyPage::OnApply(); }
    void OnReset() override { m_nReset++; CPropertyPage::OnReset(); }
};

TEST(PropertySheet, OkAppliesThePagesAndExchangesTheData)
{
    CTestPage page1(IDD_PAGE1, PSBTN_OK);
    CTestPage page2(IDD_PAGE2, -1);
    CPropertySheet sheet(_T("Sheet"));
    sheet.AddPage(&page1);
    sheet.AddPage(&page2);
    EXPECT_EQ(2, sheet.GetPageCount());
    EXPECT_EQ(1, sheet.GetPageIndex(&page2));
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    EXPECT_EQ(1, page1.m_nApplied);
    EXPECT_EQ(CString(_T("typed")), page1.m_strText);
    EXPECT_EQ(0, page2.m_nApplied);   // never shown, never created
    EXPECT_EQ(nullptr, page1.m_hWnd);
}

TEST(PropertySheet, CancelResetsAndKeepsTheData)
{
    CTestPage page1(IDD_PAGE1, PSBTN_CANCEL);
    CPropertySheet sheet(_T("Sheet"));
    sheet.AddPage(&page1);
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(0, page1.m_nApplied);
    EXPECT_EQ(1, page1.m_nReset);
    EXPECT_EQ(CString(_T("initial")), page1.m_strText);
}

}  // namespace
