#include "CFirstView_HDD.h"

#include "CMainFrame.h"
#include "CRecoveryWizardApp.h"
#include "WizardSteps.h"
#include "snapshot/SnapshotCommands.h"

IMPLEMENT_DYNCREATE(CFirstView_HDD, CView)

BEGIN_MESSAGE_MAP(CFirstView_HDD, CView)
END_MESSAGE_MAP()

CFirstView_HDD::CFirstView_HDD() {}

CFirstView_HDD::~CFirstView_HDD() {}

void CFirstView_HDD::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, RGB(242, 242, 242));
}

void CFirstView_HDD::OnBack()
{
    FreeWizardResults();
    g_SnapshotLoading = 0;
    if (CMainFrame* pFrame = GetWizardApp()->GetMainFrame()) {
        pFrame->ResetStepFlags();
        pFrame->m_bSnapshotLoadEnabled = FALSE;
        pFrame->SetOpenEnabled(TRUE);
    }
    GetWizardApp()->SwitchView(WizardStartPage);
}
