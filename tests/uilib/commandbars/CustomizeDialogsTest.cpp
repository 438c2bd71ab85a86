// The customisation dialogs run modally on a test frame, driven from inside
// their own loops: the New/Rename Toolbar dialog's suggested name, its id
// choice and its refusals.
#include <gtest/gtest.h>

#include "CommandBarsTestSupport.h"
#include "CVZPCommandBars.h"
#include "CVZPToolBar.h"
#include "CVZPToolBarNameDialog.h"

#include <MfcTestSupport.h>
#include <TestSupport.h>

#include <string>
#include <vector>

using namespace vzcommandbars_test;
using tesmir::test::CMessageBoxAnswer;

namespace {

const UINT WM_TRY_NEXT = WM_APP + 40;

// The name dialog typing each of the names in turn and pressing OK; after
// the last one it presses Cancel if it is still open. It records what it
// showed when it opened.
class CScriptedNameDialog : public CVZPToolBarNameDialog
{
public:
    CScriptedNameDialog(CWnd* pParent, CVZPCommandBars* pBars, CVZPToolBar* pBar, std::vector<CString> names)
        : CVZPToolBarNameDialog(pParent, pBars, pBar), m_names(std::move(names))
    {
    }

    CString m_strShownName;
    CString m_strCaption;
    int m_nTried = 0;

protected:
    BOOL OnInitDialog() override
    {
        BOOL bResult = CVZPToolBarNameDialog::OnInitDialog();
        GetDlgItemText(9329, m_strShownName);
        GetWindowText(m_strCaption);
        PostMessage(WM_TRY_NEXT);
        return bResult;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_TRY_NEXT)
            return CVZPToolBarNameDialog::WindowProc(message, wParam, lParam);
        if (m_nTried < (int)m_names.size())
        {
            SetDlgItemText(9329, m_names[(size_t)m_nTried++]);
            SendMessage(WM_COMMAND, IDOK);
            if (::IsWindow(m_hWnd))
                PostMessage(WM_TRY_NEXT);
        }
        else
        {
            SendMessage(WM_COMMAND, IDCANCEL);
        }
        return 0;
    }

    std::vector<CString> m_names;
};

class CustomizeDialogsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CCustomizeFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(TRUE));
        m_pBars = m_pFrame->GetCommandBars();
    }
    void TearDown() override { DestroyFrame(m_pFrame); }

    CVZPToolBar* AddBar(LPCTSTR lpszTitle, UINT nBarID)
    {
        CVZPToolBar* pBar = m_pBars->AddToolBar(lpszTitle, vzpBarTop);
        if (pBar != NULL)
            pBar->SetBarID(nBarID);
        return pBar;
    }

    CCustomizeFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pBars = NULL;
};

}  // namespace

TEST_F(CustomizeDialogsTest, ANewToolbarIsOfferedTheNextCustomNameAndTheLowestFreeId)
{
    AddBar(L"Custom 2", 0xE800);
    AddBar(L"Custom 1", 0xE802);
    AddBar(L"custom 3", 0xE803);   // titles compare with case

    CMessageBoxAnswer answer(IDOK);
    // Accepted as offered.
    {
        CScriptedNameDialog dlg(m_pFrame, m_pBars, NULL, {L"Custom 3"});
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(CString(L"Custom 3"), dlg.m_strShownName);
        EXPECT_EQ(CString(L"New Toolbar"), dlg.m_strCaption);
        EXPECT_EQ(CString(L"Custom 3"), dlg.m_strToolBarName);
        EXPECT_EQ(0xE801u, dlg.m_nId);
    }
    EXPECT_TRUE(answer.m_texts.empty());

    // Blank, then another bar's title: each refused with its message, the
    // dialog stays open; a free name then goes through.
    {
        CScriptedNameDialog dlg(m_pFrame, m_pBars, NULL, {L"", L"Custom 1", L"Mine"});
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(3, dlg.m_nTried);
        EXPECT_EQ(CString(L"Mine"), dlg.m_strToolBarName);
    }
    ASSERT_EQ(2u, answer.m_texts.size());
    EXPECT_EQ(L"The toolbar name cannot be blank. Type a name.", answer.m_texts[0]);
    EXPECT_EQ(L"A toolbar named 'Custom 1' already exists. Type another name.", answer.m_texts[1]);
    EXPECT_EQ((UINT)MB_ICONHAND, answer.m_types[0] & MB_ICONMASK);
    EXPECT_EQ((UINT)MB_ICONHAND, answer.m_types[1] & MB_ICONMASK);
}

TEST_F(CustomizeDialogsTest, WithEveryUserBarIdTakenTheDialogRefuses)
{
    for (UINT nId = 0xE800; nId <= 0xE8FE; nId++)
    {
        CString strTitle;
        strTitle.Format(L"Bar %u", nId);
        ASSERT_NE(nullptr, AddBar(strTitle, nId));
    }
    CMessageBoxAnswer answer(IDOK);
    CScriptedNameDialog dlg(m_pFrame, m_pBars, NULL, {L"One more"});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(0u, dlg.m_nId);
    ASSERT_EQ(1u, answer.m_texts.size());
    EXPECT_EQ(L"Sorry you have reached your limit.", answer.m_texts[0]);

    // One id free again (the highest): it is taken.
    m_pBars->Remove(m_pBars->GetAt(m_pBars->GetCount() - 1));
    CScriptedNameDialog again(m_pFrame, m_pBars, NULL, {L"One more"});
    EXPECT_EQ(IDOK, again.DoModal());
    EXPECT_EQ(0xE8FEu, again.m_nId);
}

TEST_F(CustomizeDialogsTest, RenamingKeepsItsOwnTitleAndRefusesAnothersTitle)
{
    CVZPToolBar* pFirst = AddBar(L"First", 0xE800);
    AddBar(L"Second", 0xE801);
    CMessageBoxAnswer answer(IDOK);
    {
        CScriptedNameDialog dlg(m_pFrame, m_pBars, pFirst, {L"First"});
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(CString(L"First"), dlg.m_strShownName);
        EXPECT_EQ(CString(L"Rename Toolbar"), dlg.m_strCaption);
        EXPECT_EQ(0u, dlg.m_nId);
    }
    EXPECT_TRUE(answer.m_texts.empty());
    {
        CScriptedNameDialog dlg(m_pFrame, m_pBars, pFirst, {L"Second"});
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
    ASSERT_EQ(1u, answer.m_texts.size());
    EXPECT_EQ(L"A toolbar named 'Second' already exists. Type another name.", answer.m_texts[0]);
    EXPECT_EQ(CString(L"First"), pFirst->GetTitle());
}
