#include "database/CStatusListCtrl.h"

BEGIN_MESSAGE_MAP(CStatusListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClick)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

int CStatusListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CListCtrl::OnCreate(lpCreateStruct);
}

void CStatusListCtrl::OnClick(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CStatusListCtrl::OnDblClick(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CStatusListCtrl::CellColours(int nSubItem, const CString& rowStatus, COLORREF& clrTextBk, COLORREF& clrText)
{
    switch (nSubItem) {
    case 0:
        clrTextBk = RGB(245, 243, 178);
        break;
    case 1:
    case 3:
        clrTextBk = RGB(248, 233, 243);
        break;
    case 2:
    case 4:
    case 5:
        clrTextBk = RGB(220, 242, 226);
        break;
    default:
        break;
    }
    auto begins = [&rowStatus](LPCTSTR word) { return rowStatus.Left(lstrlen(word)) == word; };
    if (begins(_T("Pending"))) {
        clrText = RGB(0, 0, 0);
    } else if (begins(_T("Done"))) {
        clrText = RGB(0, 0, 255);
    } else if (begins(_T("Fail"))) {
        clrText = RGB(255, 0, 0);
    } else if (begins(_T("Progress"))) {
        clrText = RGB(0, 255, 0);
        clrTextBk = RGB(0, 0, 0);
    }
}

void CStatusListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        CellColours(pDraw->iSubItem, GetItemText((int)pDraw->nmcd.dwItemSpec, 1), pDraw->clrTextBk,
                    pDraw->clrText);
        *pResult = CDRF_DODEFAULT;
        return;
    default:
        *pResult = CDRF_DODEFAULT;
    }
}
