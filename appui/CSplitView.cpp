#include "CSplitView.h"

#include "IWizardFrame.h"

#include "CVZPColorManager.h"
#include "CVZPDrawTools.h"
#include "CVZPGlobalUIData.h"
#include "CVZPCommandBarPaintManager.h"

#include "state/EngineState.h"

CString g_strSplitLabel1;
CString g_strSplitLabel2;
CString g_strSplitValue1;
CString g_strSplitValue2;

void ClearSplitViewTexts()
{
    g_strSplitLabel1.Empty();
    g_strSplitLabel2.Empty();
    g_strSplitValue1.Empty();
    g_strSplitValue2.Empty();
}

IMPLEMENT_DYNCREATE(CSplitView, CView)

BEGIN_MESSAGE_MAP(CSplitView, CView)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CSplitView::CSplitView() : m_nState(1)
{
}

CSplitView::~CSplitView() = default;

int CSplitView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    EnableWindow(FALSE);
    return 0;
}

CView* CSplitView::ViewForClick(const IWizardFrame& frame, int nScanMode)
{
    // The mode's steps from the last back to the first, each with the view
    // that shows it.
    struct StepView
    {
        int nStep;
        int nView;
    };
    static const StepView kExtensive[] = {
        { IWizardFrame::StepResultsShown, 4 },
        { IWizardFrame::StepExtensiveResults, 3 },
        { IWizardFrame::StepScan, 2 },
        { IWizardFrame::StepDrive, 1 },
    };
    static const StepView kOther[] = {
        { IWizardFrame::StepResultsShown, 4 },
        { IWizardFrame::StepResults, 4 },
        { IWizardFrame::StepScan, 2 },
        { IWizardFrame::StepDrive, 1 },
    };
    const StepView* pOrder = nScanMode == ScanModeExtensive ? kExtensive : kOther;
    for (int i = 0; i < 4; i++)
    {
        if (frame.IsWizardStepSet(pOrder[i].nStep))
            return frame.GetWizardView(pOrder[i].nView);
    }
    return NULL;
}

void CSplitView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    const IWizardFrame* pWizard = dynamic_cast<const IWizardFrame*>(pFrame);
    if (pWizard != NULL)
    {
        CView* pView = ViewForClick(*pWizard, g_ScanMode);
        if (pView != NULL)
            pFrame->SetActiveView(pView, TRUE);
    }
    CView::OnLButtonDown(nFlags, point);
}

void CSplitView::OnDraw(CDC* pDC)
{
    if (VZPPaintManager() == NULL)
        CVZPCommandBarPaintManager::SetTheme(0);
    CVZPCommandBarPaintManager* pPaintManager = VZPPaintManager();
    int nTheme = pPaintManager != NULL ? pPaintManager->m_nThemeType : 0;
    CVZPColorManager* pColors = GetColorManager();

    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, pColors->GetColor(5));
    if (nTheme == 2)
    {
        CVZPDrawTools::GradientFill(pDC, &rect, pColors->GetColor(5), pColors->GetColor(13), FALSE);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, pColors->GetColor(54));
    }
    else
    {
        pDC->FillSolidRect(&rect, pColors->GetColor(13));
        CRect rectEdge = rect;
        rectEdge.DeflateRect(1, 1);
        int nShadow = nTheme == 3 ? 57 : nTheme == 2 ? 54 : 16;
        pDC->Draw3dRect(&rectEdge, pColors->GetColor(20), pColors->GetColor(nShadow));
    }

    CVZPGlobalUIData* pData = GetGlobalUIData();
    int nSaved = pDC->SaveDC();
    pDC->SetTextColor(pColors->GetColor(5));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SelectObject(&pData->m_fontBold);
    pDC->TextOut(4, 4, g_strSplitLabel1);
    pDC->TextOut(4, 18, g_strSplitLabel2);
    pDC->SelectObject(&pData->m_fontNormal);
    pDC->TextOut(75, 4, g_strSplitValue1);
    pDC->TextOut(75, 18, g_strSplitValue2);
    pDC->RestoreDC(nSaved);
}
