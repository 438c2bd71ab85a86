#include "CHtml_View.h"

#include "CHtmlHostDlg.h"

IMPLEMENT_DYNCREATE(CHtml_View, CHtmlView)

BEGIN_MESSAGE_MAP(CHtml_View, CHtmlView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CHtml_View::CHtml_View() : m_pHostDlg(NULL) {}

CHtml_View::~CHtml_View() { delete m_pHostDlg; }

int CHtml_View::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CHtmlView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pHostDlg = new CHtmlHostDlg;
    if (m_pHostDlg->Create(CHtmlHostDlg::IDD, this))
        m_pHostDlg->ShowWindow(SW_SHOW);
    return 0;
}

void CHtml_View::OnSize(UINT nType, int cx, int cy)
{
    CHtmlView::OnSize(nType, cx, cy);
    if (m_pHostDlg == NULL || m_pHostDlg->GetSafeHwnd() == NULL)
        return;
    CRect client;
    GetClientRect(&client);
    // A view narrower or lower than the strip leaves the dialog empty rather
    // than of a negative size.
    int width = client.Width() > 8 ? client.Width() - 8 : 0;
    int height = client.Height() > 8 ? client.Height() - 8 : 0;
    m_pHostDlg->MoveWindow(0, 0, width, height, TRUE);
    m_pHostDlg->SetFocus();
}
