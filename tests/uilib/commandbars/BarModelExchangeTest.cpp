// The saved command-bar model on a customisable test site: which bars are
// collected, how bars, popup bars shared by two controls and controls go
// through an archive exchange and come back, how loaded bars merge into the
// running ones, and a stream naming an unknown control class.
#include <gtest/gtest.h>

#include "CommandBarsTestRes.h"
#include "CommandBarsTestSupport.h"
#include "CVZPCommandBars.h"
#include "CVZPControlButton.h"
#include "CVZPControlComboBox.h"
#include "CVZPControlEdit.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPMenuBar.h"
#include "CVZPPopupBar.h"
#include "CVZPPropExchangeArchive.h"
#include "CVZPToolBar.h"
#include "VZPCommandBarsState.h"

#include <TestSupport.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace vzcommandbars_test;

namespace {

const UINT kToolBarId = 120;

class BarModelExchangeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = NewFrame();
        ASSERT_NE(nullptr, m_pFrame);
        m_pBars = m_pFrame->GetCommandBars();
    }
    void TearDown() override
    {
        for (CFrameWnd* pFrame : m_frames)
            DestroyFrame(pFrame);
    }

    CCustomizeFrame* NewFrame()
    {
        CCustomizeFrame* pFrame = new CCustomizeFrame;
        if (!pFrame->CreateTestFrame())
            return NULL;
        m_frames.push_back(pFrame);
        return pFrame;
    }

    static CVZPControl* AddButton(CVZPControls* pControls, UINT nId, LPCTSTR lpszCaption)
    {
        CVZPControl* pControl = pControls->AddControl(new CVZPControlButton, (int)nId);
        pControl->SetCaption(lpszCaption);
        return pControl;
    }

    // The program's toolbar: two buttons as its defaults.
    CVZPToolBar* AddStandardBar(CVZPCommandBars* pBars)
    {
        CVZPToolBar* pBar = pBars->AddToolBar(L"Standard", vzpBarTop);
        if (pBar == NULL)
            return NULL;
        pBar->SetBarID(kToolBarId);
        AddButton(pBar->GetControls(), 1000, L"New");
        AddButton(pBar->GetControls(), 1001, L"Open");
        pBar->GetControls()->SaveDefaultControls();
        return pBar;
    }

    // The user's changes: a combo box, an edit box and two popup controls
    // that open one popup bar of two commands.
    CVZPPopupBar* Customize(CVZPToolBar* pBar)
    {
        CVZPControls* pControls = pBar->GetControls();
        CVZPControlComboBox* pCombo = new CVZPControlComboBox;
        pCombo->m_nWidth = 140;
        pCombo->m_strEditHint = L"Search";
        pControls->AddControl(pCombo, 1002);
        CVZPControlEdit* pEdit = new CVZPControlEdit;
        pEdit->m_bReadOnly = TRUE;
        pControls->AddControl(pEdit, 1003);
        CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(m_pBars);
        pPopup->m_bDoubleGripper = TRUE;
        pPopup->m_bTearOffPopup = TRUE;
        pPopup->m_strTearOffCaption = L"Torn";
        pPopup->m_nTearOffID = 4321;
        pPopup->m_rcBorders = CRect(1, 2, 3, 4);
        pPopup->m_bShowShadow = FALSE;
        AddButton(pPopup->GetControls(), 2000, L"First");
        AddButton(pPopup->GetControls(), 2001, L"Second")->SetBeginGroup(TRUE);
        for (int nType : {vzpControlPopup, vzpControlSplitButtonPopup})
        {
            CVZPControlPopup* pControl = CVZPControlPopup::CreateControlPopup(nType);
            pControl->SetCaption(nType == vzpControlPopup ? L"&More" : L"Split");
            pControl->SetCommandBar(pPopup);
            pControls->AddControl(pControl, 1004);
        }
        pPopup->InternalRelease();
        return pPopup;
    }

    static std::vector<BYTE> Save(CVZPCommandBars* pBars, CVZPCommandBarRefList& list,
                                  VZPCommandBarsStateOptions& options, BOOL* pbResult)
    {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            CVZPPropExchangeArchive px(ar);
            px.m_pExtraData = &options;
            *pbResult = pBars->SaveCommandBarList(&px, &list);
        }
        std::vector<BYTE> data((size_t)file.GetLength());
        file.SeekToBegin();
        file.Read(data.data(), (UINT)data.size());
        return data;
    }

    static BOOL Load(CVZPCommandBars* pBars, std::vector<BYTE>& data, CVZPCommandBarRefList& list)
    {
        VZPCommandBarsStateOptions options = {TRUE, TRUE, TRUE, pBars};
        CMemFile file(data.data(), (UINT)data.size());
        CArchive ar(&file, CArchive::load);
        CVZPPropExchangeArchive px(ar);
        px.m_pExtraData = &options;
        return pBars->LoadCommandBarList(&px, &list);
    }

    static std::vector<CVZPCommandBar*> Bars(const CVZPCommandBarRefList& list)
    {
        std::vector<CVZPCommandBar*> bars;
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
            bars.push_back(list.GetNext(pos));
        return bars;
    }

    CCustomizeFrame* m_pFrame = NULL;
    CVZPCommandBars* m_pBars = NULL;
    std::vector<CFrameWnd*> m_frames;
};

TEST_F(BarModelExchangeTest, OnlyChangedBarsAreCollectedWithTheirPopupBarsOnce)
{
    CVZPToolBar* pBar = AddStandardBar(m_pBars);
    ASSERT_NE(nullptr, pBar);
    VZPCommandBarsStateOptions options = {TRUE, FALSE, TRUE, m_pBars};
    {
        CVZPCommandBarRefList list;
        m_pBars->GenerateCommandBarList(&list, &options);
        EXPECT_EQ(0, list.GetCount());
    }
    CVZPPopupBar* pPopup = Customize(pBar);
    CVZPCommandBarRefList list;
    m_pBars->GenerateCommandBarList(&list, &options);
    ASSERT_EQ(2, list.GetCount());
    EXPECT_EQ(pBar, Bars(list)[0]);
    EXPECT_EQ(pPopup, Bars(list)[1]);
    EXPECT_EQ(VZP_FIRST_GENERATED_BAR_ID, pPopup->GetBarID());

    // Without the customised-only choice every bar goes, changed or not.
    options.bSaveOnlyCustomized = FALSE;
    CVZPToolBar* pOther = m_pBars->AddToolBar(L"Other", vzpBarTop);
    ASSERT_NE(nullptr, pOther);
    pOther->GetControls()->SaveDefaultControls();
    CVZPCommandBarRefList all;
    m_pBars->GenerateCommandBarList(&all, &options);
    EXPECT_EQ(3, all.GetCount());
}

TEST_F(BarModelExchangeTest, ChangedToolbarAndSharedPopupBarComeBack)
{
    CVZPToolBar* pBar = AddStandardBar(m_pBars);
    ASSERT_NE(nullptr, pBar);
    Customize(pBar);
    VZPCommandBarsStateOptions options = {TRUE, FALSE, TRUE, m_pBars};
    CVZPCommandBarRefList list;
    m_pBars->GenerateCommandBarList(&list, &options);
    BOOL bSaved = FALSE;
    std::vector<BYTE> data = Save(m_pBars, list, options, &bSaved);
    ASSERT_TRUE(bSaved);

    // A second program start: the toolbar with its defaults only.
    CCustomizeFrame* pFrame = NewFrame();
    ASSERT_NE(nullptr, pFrame);
    CVZPCommandBars* pBars = pFrame->GetCommandBars();
    CVZPToolBar* pFresh = AddStandardBar(pBars);
    ASSERT_NE(nullptr, pFresh);
    CVZPCommandBarRefList loaded;
    ASSERT_TRUE(Load(pBars, data, loaded));
    ASSERT_EQ(2, loaded.GetCount());
    std::vector<CVZPCommandBar*> bars = Bars(loaded);
    EXPECT_TRUE(bars[0]->IsKindOf(RUNTIME_CLASS(CVZPToolBar)));
    EXPECT_TRUE(bars[1]->IsKindOf(RUNTIME_CLASS(CVZPPopupBar)));
    EXPECT_EQ(CString(L"Standard"), bars[0]->GetTitle());
    EXPECT_EQ(pBars, bars[0]->GetCommandBars());

    pBars->RestoreCommandBarList(&loaded, TRUE);
    EXPECT_EQ(1, pBars->GetCount());
    CVZPControls* pControls = pFresh->GetControls();
    ASSERT_EQ(6, pControls->GetCount());
    const wchar_t* captions[] = {L"New", L"Open", L"", L"", L"&More", L"Split"};
    const int types[] = {vzpControlButton,    vzpControlButton, vzpControlComboBox,
                         vzpControlEdit,      vzpControlPopup,  vzpControlSplitButtonPopup};
    for (int i = 0; i < 6; i++)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(CString(captions[i]), pControls->GetAt(i)->GetCaption());
        EXPECT_EQ(types[i], pControls->GetAt(i)->GetType());
        EXPECT_EQ(i, pControls->GetAt(i)->GetIndex());
    }
    CVZPControlComboBox* pCombo = DYNAMIC_DOWNCAST(CVZPControlComboBox, pControls->GetAt(2));
    ASSERT_NE(nullptr, pCombo);
    EXPECT_EQ(140, pCombo->m_nWidth);
    EXPECT_EQ(CString(L"Search"), pCombo->m_strEditHint);
    CVZPControlEdit* pEdit = DYNAMIC_DOWNCAST(CVZPControlEdit, pControls->GetAt(3));
    ASSERT_NE(nullptr, pEdit);
    EXPECT_TRUE(pEdit->m_bReadOnly);

    // Both popup controls open the one popup bar written once.
    CVZPCommandBar* pFirst = pControls->GetAt(4)->GetCommandBar();
    ASSERT_NE(nullptr, pFirst);
    EXPECT_EQ(pFirst, pControls->GetAt(5)->GetCommandBar());
    EXPECT_EQ(bars[1], pFirst);
    ASSERT_EQ(2, pFirst->GetControls()->GetCount());
    EXPECT_EQ(CString(L"Second"), pFirst->GetControls()->GetAt(1)->GetCaption());
    EXPECT_TRUE(pFirst->GetControls()->GetAt(1)->GetBeginGroup());
    CVZPPopupBar* pLoadedPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, pFirst);
    ASSERT_NE(nullptr, pLoadedPopup);
    EXPECT_TRUE(pLoadedPopup->m_bDoubleGripper);
    EXPECT_TRUE(pLoadedPopup->m_bTearOffPopup);
    EXPECT_EQ(CString(L"Torn"), pLoadedPopup->m_strTearOffCaption);
    EXPECT_EQ(4321u, pLoadedPopup->m_nTearOffID);
    EXPECT_EQ(CRect(1, 2, 3, 4), pLoadedPopup->m_rcBorders);
    EXPECT_FALSE(pLoadedPopup->m_bShowShadow);
    // The defaults stay the program's, so the bar still counts as changed.
    ASSERT_NE(nullptr, pControls->GetDefaultControls());
    EXPECT_EQ(2, pControls->GetDefaultControls()->GetCount());
    EXPECT_TRUE(pControls->IsChanged());
}

TEST_F(BarModelExchangeTest, ABarTheUserMadeIsAddedWithAWindow)
{
    CVZPToolBar* pMine = m_pBars->AddToolBar(L"Mine", vzpBarTop);
    ASSERT_NE(nullptr, pMine);
    pMine->SetBarID(300);
    pMine->m_bBuiltIn = FALSE;
    AddButton(pMine->GetControls(), 1000, L"New");
    VZPCommandBarsStateOptions options = {TRUE, FALSE, TRUE, m_pBars};
    CVZPCommandBarRefList list;
    m_pBars->GenerateCommandBarList(&list, &options);
    ASSERT_EQ(1, list.GetCount());
    BOOL bSaved = FALSE;
    std::vector<BYTE> data = Save(m_pBars, list, options, &bSaved);
    ASSERT_TRUE(bSaved);

    CCustomizeFrame* pFrame = NewFrame();
    ASSERT_NE(nullptr, pFrame);
    CVZPCommandBars* pBars = pFrame->GetCommandBars();
    const int nBefore = pBars->GetCount();
    CVZPCommandBarRefList loaded;
    ASSERT_TRUE(Load(pBars, data, loaded));
    pBars->RestoreCommandBarList(&loaded, TRUE);
    ASSERT_EQ(nBefore + 1, pBars->GetCount());
    CVZPToolBar* pAdded = pBars->GetToolBar(300);
    ASSERT_NE(nullptr, pAdded);
    EXPECT_NE(nullptr, pAdded->GetSafeHwnd());
    EXPECT_TRUE(pAdded->HasTracker());
    EXPECT_FALSE(pAdded->m_bBuiltIn);
    EXPECT_EQ(CString(L"Mine"), pAdded->GetTitle());
    EXPECT_EQ(1, pAdded->GetControls()->GetCount());
}

// The menu bar writes its menu id and the control set of each stored
// document menu; a stored menu's popup bar is collected once and bound again
// when the stream is loaded.
TEST_F(BarModelExchangeTest, TheMenuBarKeepsItsMenuIdAndStoredMenus)
{
    CVZPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CVZPMenuBar, m_pBars->AddMenuBar(L"Menu Bar", IDR_TEST_MENU));
    ASSERT_NE(nullptr, pMenuBar);
    CVZPControls* pStored = new CVZPControls;
    pStored->SetCommandBars(m_pBars);
    AddButton(pStored, 3000, L"Stored");
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(m_pBars);
    AddButton(pPopup->GetControls(), 3001, L"Inner");
    CVZPControlPopup* pSub = CVZPControlPopup::CreateControlPopup(vzpControlPopup);
    pSub->SetCaption(L"Sub");
    pSub->SetCommandBar(pPopup);
    pPopup->InternalRelease();
    pStored->AddControl(pSub, 0);
    pMenuBar->m_mapMenus.SetAt(777, pStored);

    VZPCommandBarsStateOptions options = {FALSE, TRUE, TRUE, m_pBars};
    CVZPCommandBarRefList list;
    m_pBars->GenerateCommandBarList(&list, &options);
    const std::vector<CVZPCommandBar*> bars = Bars(list);
    EXPECT_EQ(1, std::count(bars.begin(), bars.end(), pPopup));
    BOOL bSaved = FALSE;
    std::vector<BYTE> data = Save(m_pBars, list, options, &bSaved);
    ASSERT_TRUE(bSaved);
    EXPECT_TRUE(pMenuBar->m_bStoredMenusKept);

    CVZPCommandBarRefList loaded;
    ASSERT_TRUE(Load(m_pBars, data, loaded));
    CVZPMenuBar* pLoaded = NULL;
    for (CVZPCommandBar* pBar : Bars(loaded))
        if (pLoaded == NULL)
            pLoaded = DYNAMIC_DOWNCAST(CVZPMenuBar, pBar);
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_NE(pMenuBar, pLoaded);
    EXPECT_EQ((UINT)IDR_TEST_MENU, pLoaded->m_nIDResource);
    EXPECT_EQ(1, pLoaded->GetStoredMenuCount());
    CVZPControls* pLoadedStored = NULL;
    ASSERT_TRUE(pLoaded->m_mapMenus.Lookup(777, pLoadedStored));
    ASSERT_EQ(2, pLoadedStored->GetCount());
    EXPECT_EQ(CString(L"Stored"), pLoadedStored->GetAt(0)->GetCaption());
    pLoaded->ResolvePopupBars(&loaded);
    CVZPCommandBar* pLoadedPopup = pLoadedStored->GetAt(1)->GetCommandBar();
    ASSERT_NE(nullptr, pLoadedPopup);
    EXPECT_NE(pPopup, pLoadedPopup);
    EXPECT_EQ(CString(L"Inner"), pLoadedPopup->GetControl(0)->GetCaption());
}

TEST_F(BarModelExchangeTest, AnUnknownControlClassFailsTheLoad)
{
    CVZPToolBar* pBar = AddStandardBar(m_pBars);
    ASSERT_NE(nullptr, pBar);
    Customize(pBar);
    VZPCommandBarsStateOptions options = {FALSE, FALSE, TRUE, m_pBars};
    CVZPCommandBarRefList list;
    m_pBars->GenerateCommandBarList(&list, &options);
    BOOL bSaved = FALSE;
    std::vector<BYTE> data = Save(m_pBars, list, options, &bSaved);
    ASSERT_TRUE(bSaved);

    // The edit box's class name becomes one no program knows.
    const std::string strClass = "CVZPControlEdit";
    auto it = std::search(data.begin(), data.end(), strClass.begin(), strClass.end());
    ASSERT_NE(data.end(), it);
    it[strClass.size() - 1] = 'X';

    CVZPCommandBarRefList loaded;
    EXPECT_FALSE(Load(m_pBars, data, loaded));
    // A stream cut short fails the same way.
    data.resize(data.size() / 2);
    CVZPCommandBarRefList cut;
    EXPECT_FALSE(Load(m_pBars, data, cut));
}

}  // namespace
