#include "CSecondView_HDD.h"

#include "CFirstView_HDD.h"
#include "CMainFrame.h"
#include "CRecoveryWizardApp.h"
#include "WizardSteps.h"

IMPLEMENT_DYNCREATE(CSecondView_HDD, CView)

BEGIN_MESSAGE_MAP(CSecondView_HDD, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CSecondView_HDD::CSecondView_HDD() {}

CSecondView_HDD::~CSecondView_HDD() {}

int CSecondView_HDD::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_tree.Create(0x16800027 | WS_CHILD, CRect(0, 150, 600, 300), this, IdTree))
        return -1;
    m_tree.InitImages();
    return 0;
}

void CSecondView_HDD::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_tree.GetSafeHwnd())
        m_tree.MoveWindow(0, 0, cx / 3, cy > 50 ? cy - 50 : 0);
}

void CSecondView_HDD::ShowPartitionTree() { m_tree.ShowWindow(SW_SHOW); }

void CSecondView_HDD::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, RGB(242, 242, 242));
}

void CSecondView_HDD::OnBack()
{
    FreeWizardResults();
    m_tree.DeleteAllItems();
    if (CMainFrame* pFrame = GetWizardApp()->GetMainFrame()) {
        pFrame->ResetStepFlags();
        pFrame->m_bSnapshotLoadEnabled = TRUE;
    }
    if (CFirstView_HDD* pDrive = DYNAMIC_DOWNCAST(CFirstView_HDD, GetWizardApp()->m_pViews[WizardDriveStep]))
        pDrive->RestoreIdle();
    GetWizardApp()->SwitchView(WizardDriveStep);
}
