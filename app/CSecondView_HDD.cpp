#include "CSecondView_HDD.h"

#include "CMainFrame.h"
#include "CRecoveryWizardApp.h"
#include "WizardSteps.h"

IMPLEMENT_DYNCREATE(CSecondView_HDD, CView)

BEGIN_MESSAGE_MAP(CSecondView_HDD, CView)
END_MESSAGE_MAP()

CSecondView_HDD::CSecondView_HDD() {}

CSecondView_HDD::~CSecondView_HDD() {}

void CSecondView_HDD::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, RGB(242, 242, 242));
}

void CSecondView_HDD::OnBack()
{
    FreeWizardResults();
    if (CMainFrame* pFrame = GetWizardApp()->GetMainFrame()) {
        pFrame->ResetStepFlags();
        pFrame->m_bSnapshotLoadEnabled = TRUE;
    }
    GetWizardApp()->SwitchView(WizardDriveStep);
}
