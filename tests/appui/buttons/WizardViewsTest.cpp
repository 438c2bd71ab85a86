// The two spare wizard views: the split view on a test frame that
// implements the wizard interface, and the scanning progress form.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "CScanningProgress.h"
#include "CSplitView.h"
#include "ControlsTestSupport.h"
#include "IWizardFrame.h"
#include "Screenshots.h"

#include "CVZPColorManager.h"
#include "state/EngineState.h"

#include <MfcTestSupport.h>
#include <TestSupport.h>

using namespace appui_test;
using tesmir::test::CScopedApp;
using tesmir::test::PumpUntil;

namespace {

class CPlainView : public CView
{
public:
    void OnDraw(CDC*) override {}
};

// A frame with four wizard views (1 to 4) and flags the test sets.
class CWizardTestFrame : public CFrameWnd, public IWizardFrame
{
public:
    BOOL IsWizardStepSet(int nStep) const override { return m_bFlags[nStep]; }
    CView* GetWizardView(int nIndex) const override
    {
        return nIndex >= 1 && nIndex <= 4 ? m_pViews[nIndex] : NULL;
    }

    BOOL m_bFlags[StepCount] = {};
    CView* m_pViews[5] = {};
};

class WizardViewsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CWizardTestFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, _T("wizard"), WS_OVERLAPPEDWINDOW, CRect(30, 30, 430, 330)));
        for (int i = 1; i <= 4; i++)
        {
            m_pFrame->m_pViews[i] = new CPlainView;
            ASSERT_TRUE(m_pFrame->m_pViews[i]->Create(NULL, NULL, WS_CHILD, CRect(0, 0, 100, 100), m_pFrame,
                                                      1000 + i, NULL));
        }
        m_app.m_pMainWnd = m_pFrame;
        m_nScanModeBefore = g_ScanMode;
    }
    void TearDown() override
    {
        g_ScanMode = m_nScanModeBefore;
        m_app.m_pMainWnd = NULL;
        if (m_pFrame != NULL && m_pFrame->m_hWnd != NULL)
            m_pFrame->DestroyWindow();   // deletes the frame and its views
    }

    CScopedApp m_app{ _T("WizardViewsTest") };
    CWizardTestFrame* m_pFrame = NULL;
    int m_nScanModeBefore = 0;
};

TEST_F(WizardViewsTest, ClickBringsTheLatestStepOfTheModeToTheFront)
{
    CSplitView* pSplit = (CSplitView*)RUNTIME_CLASS(CSplitView)->CreateObject();
    ASSERT_NE(nullptr, pSplit);
    ASSERT_TRUE(pSplit->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 36), m_pFrame, 1100, NULL));
    EXPECT_FALSE(pSplit->IsWindowEnabled()) << "the strip disables itself when it is created";

    using F = IWizardFrame;
    const struct
    {
        int nMode;
        int nFlags;      // bit i: step flag i
        int nExpected;   // view index, 0 for none
    } cases[] = {
        { ScanModeExtensive, 1 << F::StepDrive, 1 },
        { ScanModeExtensive, (1 << F::StepDrive) | (1 << F::StepScan), 2 },
        { ScanModeExtensive, (1 << F::StepScan) | (1 << F::StepExtensiveResults), 3 },
        { ScanModeExtensive, (1 << F::StepExtensiveResults) | (1 << F::StepResultsShown), 4 },
        { ScanModeExtensive, (1 << F::StepDrive) | (1 << F::StepResults), 1 },   // not a step of this mode
        { ScanModeQuick, (1 << F::StepScan) | (1 << F::StepResults), 4 },
        { ScanModeQuick, (1 << F::StepScan) | (1 << F::StepExtensiveResults), 2 },
        { ScanModeFileTrace, (1 << F::StepDrive) | (1 << F::StepResults), 4 },
        { ScanModeFileTrace, 1 << F::StepScan, 2 },
        { ScanModeQuick, 0, 0 },
    };
    for (const auto& c : cases)
    {
        g_ScanMode = c.nMode;
        for (int i = 0; i < F::StepCount; i++)
            m_pFrame->m_bFlags[i] = (c.nFlags >> i) & 1;
        m_pFrame->SetActiveView(NULL, FALSE);
        pSplit->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        CView* pExpected = c.nExpected != 0 ? m_pFrame->m_pViews[c.nExpected] : NULL;
        EXPECT_EQ(pExpected, m_pFrame->GetActiveView()) << "mode " << c.nMode << " flags " << c.nFlags;
    }
    pSplit->DestroyWindow();
}

TEST_F(WizardViewsTest, SplitViewDrawsItsTextsAndLeaksNothing)
{
    m_pFrame->ShowWindow(SW_SHOW);
    PaintNow(m_pFrame);
    // The first drawing makes the process-wide fonts and paint manager;
    // they stay, so they are made before counting.
    {
        CSplitView* pFirst = (CSplitView*)RUNTIME_CLASS(CSplitView)->CreateObject();
        ASSERT_TRUE(pFirst->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 36), m_pFrame, 1100, NULL));
        PaintNow(m_pFrame);
        pFirst->DestroyWindow();
        PaintNow(m_pFrame);
    }
    AFX_GDI_COUNTS before = AfxGetGdiCounts();
    int nWindowsBefore = CountThreadWindows();

    g_strSplitLabel1 = _T("Drive:");
    g_strSplitValue1 = _T("sample.vhd");
    g_strSplitLabel2 = _T("Mode:");
    g_strSplitValue2 = _T("Quick Scan");
    CSplitView* pSplit = (CSplitView*)RUNTIME_CLASS(CSplitView)->CreateObject();
    ASSERT_TRUE(pSplit->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 36), m_pFrame, 1100, NULL));
    PaintNow(m_pFrame);
    CCapture capture(pSplit);
    SaveScreenshot(capture.Canvas(), L"split_view");
    // Away from the texts and the edge the strip shows its fill; the texts
    // are drawn in the colour the strip was first filled with.
    CVZPColorManager* pColors = GetColorManager();
    EXPECT_EQ(pColors->GetColor(13), capture.Pixel(290, 30));
    int nText = capture.Canvas().Count(CRect(4, 4, 75, 32), pColors->GetColor(5)) +
                capture.Canvas().Count(CRect(75, 4, 290, 32), pColors->GetColor(5));
    EXPECT_GT(nText, 0);
    pSplit->DestroyWindow();   // a view deletes itself

    ClearSplitViewTexts();
    EXPECT_TRUE(g_strSplitLabel1.IsEmpty() && g_strSplitLabel2.IsEmpty() && g_strSplitValue1.IsEmpty() &&
                g_strSplitValue2.IsEmpty());
    PaintNow(m_pFrame);
    AFX_GDI_COUNTS after = AfxGetGdiCounts();
    EXPECT_EQ(before.nObjects, after.nObjects);
    EXPECT_EQ(before.nDCs, after.nDCs);
    EXPECT_EQ(nWindowsBefore, CountThreadWindows());
}

TEST_F(WizardViewsTest, ScanningProgressPaintsItsBackgroundOnceAndLeaksNothing)
{
    m_pFrame->ShowWindow(SW_SHOW);
    PaintNow(m_pFrame);
    AFX_GDI_COUNTS before = AfxGetGdiCounts();
    int nWindowsBefore = CountThreadWindows();

    CScanningProgress* pView = (CScanningProgress*)RUNTIME_CLASS(CScanningProgress)->CreateObject();
    ASSERT_NE(nullptr, pView);
    ASSERT_TRUE(pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 120), m_pFrame, 1101, NULL));
    PaintNow(m_pFrame);
    pView->OnInitialUpdate();
    CCapture capture(pView);
    SaveScreenshot(capture.Canvas(), L"scanning_progress");
    EXPECT_EQ(capture.Width() * capture.Height(),
              capture.Canvas().Count(CRect(0, 0, capture.Width(), capture.Height()), CScanningProgress::kBackground));
    pView->DestroyWindow();

    PaintNow(m_pFrame);
    AFX_GDI_COUNTS after = AfxGetGdiCounts();
    EXPECT_EQ(before.nObjects, after.nObjects);
    EXPECT_EQ(before.nDCs, after.nDCs);
    EXPECT_EQ(nWindowsBefore, CountThreadWindows());
}

}  // namespace
