#include "CVZListBase.h"

#include <algorithm>

#include "CVZMemDC.h"
#include "CVZPColorValue.h"
#include "CVZPGlobalUIData.h"
#include "CVZPProfileStore.h"
#include "CVZHeaderCtrlThemeClassic.h"

CVZListBase::CVZListBase()
    : m_nMaxColumnWidth(::GetSystemMetrics(SM_CXFULLSCREEN)),
      m_nSortColumn(-1),
      m_bUseUIFont(FALSE),
      m_bSaveOnDestroy(FALSE),
      m_bListColorsSet(FALSE),
      m_bRowColors(FALSE),
      m_bSortColumnColor(FALSE),
      m_bAscending(TRUE),
      m_bColumnsLocked(FALSE),
      m_clrText(static_cast<COLORREF>(-1)),
      m_clrBack(static_cast<COLORREF>(-1)),
      m_clrSortText(0),
      m_clrSortBack(0),
      m_rowColors(10),
      m_pListWnd(NULL),
      m_nMinColumnWidth(0)
{
    RefreshColors();
}

CVZListBase::~CVZListBase()
{
    RemoveAllRowColors();
}

BOOL CVZListBase::IsReportView() const
{
    return m_pListWnd != NULL && m_pListWnd->GetSafeHwnd() != NULL &&
           (m_pListWnd->GetStyle() & LVS_TYPEMASK) == LVS_REPORT;
}

CWnd* CVZListBase::GetHeader() const
{
    if (m_pListWnd == NULL || m_pListWnd->GetSafeHwnd() == NULL)
        return NULL;
    HWND hHeader = ::GetDlgItem(m_pListWnd->GetSafeHwnd(), 0);
    return hHeader != NULL ? CWnd::FromHandle(hHeader) : NULL;
}

CVZFlatHeaderCtrl* CVZListBase::GetFlatHeader() const
{
    CWnd* pHeader = GetHeader();
    if (pHeader == NULL)
        return NULL;
    CWnd* pPermanent = CWnd::FromHandlePermanent(pHeader->GetSafeHwnd());
    return pPermanent != NULL && pPermanent->IsKindOf(RUNTIME_CLASS(CVZFlatHeaderCtrl))
               ? static_cast<CVZFlatHeaderCtrl*>(pPermanent)
               : NULL;
}

int CVZListBase::SetSortImage(int nColumn, BOOL bAscending)
{
    const int nPrevious = m_nSortColumn;
    m_nSortColumn = nColumn;
    m_bAscending = static_cast<BYTE>(bAscending == 1);
    CWnd* pHeader = GetHeader();
    CWnd* pPermanent = pHeader != NULL ? CWnd::FromHandlePermanent(pHeader->GetSafeHwnd()) : NULL;
    if (pPermanent != NULL && pPermanent->IsKindOf(RUNTIME_CLASS(CVZHeaderCtrl)))
        return static_cast<CVZHeaderCtrl*>(pPermanent)->SetSortImage(nColumn, bAscending);
    return nPrevious;
}

CString CVZListBase::ReadStoredWidths()
{
    CVZPProfileStore store(HKEY_CURRENT_USER);
    return store.GetProfileString(m_strSection, m_strEntry, m_strDefaultWidths);
}

BOOL CVZListBase::ParseWidthField(const CString& strWidths, int nField, int* pnWidth)
{
    int nStart = 0;
    for (int i = 0; i < nField; i++)
    {
        nStart = strWidths.Find(L',', nStart);
        if (nStart < 0)
            return FALSE;
        nStart++;
    }
    int nEnd = strWidths.Find(L',', nStart);
    if (nEnd < 0)
        nEnd = strWidths.GetLength();
    const CString strField = strWidths.Mid(nStart, nEnd - nStart).Trim();
    if (strField.IsEmpty())
        return FALSE;
    *pnWidth = _wtoi(strField);
    return TRUE;
}

int CVZListBase::GetStoredColumnWidth(int nField)
{
    int nWidth = 0;
    return ParseWidthField(ReadStoredWidths(), nField, &nWidth) ? nWidth : 0;
}

void CVZListBase::ApplyStoredColumnWidth(int nPosition)
{
    CWnd* pHeader = GetHeader();
    if (pHeader == NULL)
        return;
    int nWidth = 0;
    // A missing field (a first run with nothing stored and no defaults)
    // leaves the column as it is; a stored 0 hides it.
    if (!ParseWidthField(ReadStoredWidths(), nPosition, &nWidth))
        return;
    const int nColumn = static_cast<int>(pHeader->SendMessage(HDM_ORDERTOINDEX, nPosition));
    m_pListWnd->SendMessage(LVM_SETCOLUMNWIDTH, nColumn, MAKELPARAM(LOWORD(nWidth), 0));
}

int CVZListBase::LoadColumnWidths()
{
    if (!IsReportView())
        return 0;
    if (CWnd* pHeader = GetHeader())
    {
        const int nCount = static_cast<int>(pHeader->SendMessage(HDM_GETITEMCOUNT));
        for (int nPosition = 0; nPosition < nCount; nPosition++)
            ApplyStoredColumnWidth(nPosition);
    }
    return static_cast<int>(m_pListWnd->SendMessage(LVM_GETITEMCOUNT));
}

void CVZListBase::SaveColumnWidths()
{
    CWnd* pHeader = GetHeader();
    if (!IsReportView() || pHeader == NULL)
        return;
    CString strWidths;
    const int nCount = static_cast<int>(pHeader->SendMessage(HDM_GETITEMCOUNT));
    for (int nPosition = 0; nPosition < nCount; nPosition++)
    {
        const int nColumn = static_cast<int>(pHeader->SendMessage(HDM_ORDERTOINDEX, nPosition));
        CString strField;
        strField.Format(L"%d,", static_cast<int>(m_pListWnd->SendMessage(LVM_GETCOLUMNWIDTH, nColumn)));
        strWidths += strField;
    }
    CVZPProfileStore store(HKEY_CURRENT_USER);
    store.WriteProfileString(m_strSection, m_strEntry, strWidths);
}

void CVZListBase::AutoSizeColumn(int nPosition)
{
    m_pListWnd->SendMessage(WM_SETREDRAW, FALSE);
    CWnd* pHeader = GetHeader();
    if (pHeader == NULL)
        return;
    const int nCount = static_cast<int>(pHeader->SendMessage(HDM_GETITEMCOUNT));
    const int nFirst = nPosition < 0 ? 0 : nPosition;
    const int nLast = nPosition < 0 ? nCount - 1 : std::min(nPosition, nCount - 1);

    CVZFlatHeaderCtrl* pFlat = GetFlatHeader();
    CVZHeaderCtrlThemeClassic* pTheme = pFlat != NULL ? pFlat->GetHeaderTheme() : NULL;
    const BOOL bArrow = pTheme != NULL && (pTheme->GetDrawFlags() & CVZHeaderCtrlThemeClassic::drawSortArrow);

    CClientDC dc(NULL);
    HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), reinterpret_cast<HGDIOBJ>(pHeader->SendMessage(WM_GETFONT)));
    for (int i = nFirst; i <= nLast; i++)
    {
        const int nColumn = static_cast<int>(pHeader->SendMessage(HDM_ORDERTOINDEX, i));
        m_pListWnd->SendMessage(LVM_SETCOLUMNWIDTH, nColumn, MAKELPARAM(LVSCW_AUTOSIZE, 0));
        const int nContents = static_cast<int>(m_pListWnd->SendMessage(LVM_GETCOLUMNWIDTH, nColumn));

        wchar_t szText[256] = L"";
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT;
        column.pszText = szText;
        column.cchTextMax = 256;
        m_pListWnd->SendMessage(LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
        CSize szHeading(0, 0);
        ::GetTextExtentPoint32W(dc.GetSafeHdc(), szText, lstrlenW(szText), &szHeading);
        int nHeading = szHeading.cx + 12;
        if (bArrow && nColumn == pFlat->GetSortImage())
            nHeading += 24;

        int nWidth = std::max(nContents, nHeading);
        nWidth = std::max(nWidth, m_nMinColumnWidth);
        nWidth = std::min(nWidth, m_nMaxColumnWidth);
        m_pListWnd->SendMessage(LVM_SETCOLUMNWIDTH, i, MAKELPARAM(nWidth, 0));
    }
    ::SelectObject(dc.GetSafeHdc(), hOldFont);
    m_pListWnd->SendMessage(WM_SETREDRAW, TRUE);
    m_pListWnd->Invalidate(TRUE);
}

int CVZListBase::SetProfileKey(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault)
{
    m_bSaveOnDestroy = TRUE;
    m_strSection = lpszSection != NULL ? lpszSection : L"Settings";
    m_strEntry = lpszEntry != NULL ? lpszEntry : L"Column Info";
    if (lpszDefault != NULL)
        m_strDefaultWidths = lpszDefault;
    return LoadColumnWidths();
}

BOOL CVZListBase::SubclassHeader(BOOL bBoldFont)
{
    if (!IsReportView() || m_wndHeader.GetSafeHwnd() != NULL)
        return FALSE;
    CWnd* pHeader = GetHeader();
    if (pHeader == NULL || CWnd::FromHandlePermanent(pHeader->GetSafeHwnd()) != NULL)
        return FALSE;
    if (!m_wndHeader.SubclassWindow(pHeader->GetSafeHwnd()))
        return FALSE;
    m_wndHeader.SetFontBold(bBoldFont);
    return TRUE;
}

BOOL CVZListBase::SortList(int /*nColumn*/, BOOL /*bAscending*/)
{
    return TRUE;
}

void CVZListBase::AddExtendedStyle(DWORD dwAdd)
{
    m_pListWnd->SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, GetExtendedStyle() | dwAdd);
}

DWORD CVZListBase::GetExtendedStyle()
{
    return static_cast<DWORD>(m_pListWnd->SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

void CVZListBase::LockColumns(BOOL bLock)
{
    m_bColumnsLocked = static_cast<BYTE>(bLock);
}

int CVZListBase::SubItemHitTest(CPoint point, int* pnPosition)
{
    LVHITTESTINFO info = {};
    info.pt = point;
    const int nRow = static_cast<int>(m_pListWnd->SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (pnPosition != NULL)
        *pnPosition = 0;
    if (!IsReportView())
        return nRow;
    CWnd* pHeader = GetHeader();
    if (pHeader == NULL)
        return -1;
    const int nTop = static_cast<int>(m_pListWnd->SendMessage(LVM_GETTOPINDEX));
    const int nEnd = std::min(nTop + static_cast<int>(m_pListWnd->SendMessage(LVM_GETCOUNTPERPAGE)),
                              static_cast<int>(m_pListWnd->SendMessage(LVM_GETITEMCOUNT)));
    const int nColumns = static_cast<int>(pHeader->SendMessage(HDM_GETITEMCOUNT));
    for (int nItem = nTop; nItem < nEnd; nItem++)
    {
        CRect rect(LVIR_BOUNDS, 0, 0, 0);
        if (!m_pListWnd->SendMessage(LVM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(&rect)) ||
            !rect.PtInRect(point))
            continue;
        int nLeft = rect.left;
        for (int nPosition = 0; nPosition < nColumns; nPosition++)
        {
            const int nColumn = static_cast<int>(pHeader->SendMessage(HDM_ORDERTOINDEX, nPosition));
            const int nWidth = static_cast<int>(m_pListWnd->SendMessage(LVM_GETCOLUMNWIDTH, nColumn));
            if (point.x >= nLeft && point.x <= nLeft + nWidth)
            {
                if (pnPosition != NULL)
                    *pnPosition = nPosition;
                return nItem;
            }
            nLeft += nWidth;
        }
    }
    return -1;
}

int CVZListBase::AddColumn(LPCWSTR lpszText, int nWidth, int nFormat)
{
    CWnd* pHeader = GetHeader();
    if (!IsReportView() || pHeader == NULL)
        return -1;
    const int nCount = static_cast<int>(pHeader->SendMessage(HDM_GETITEMCOUNT));
    if (nWidth == -1 && nCount > 0)
    {
        HDITEMW item = {};
        item.mask = HDI_WIDTH;
        pHeader->SendMessage(HDM_GETITEMW, nCount - 1, reinterpret_cast<LPARAM>(&item));
        nWidth = item.cxy;
    }
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = nFormat;
    column.cx = std::max(nWidth, 0);
    column.pszText = const_cast<LPWSTR>(lpszText != NULL ? lpszText : L"");
    column.iSubItem = nCount;
    return static_cast<int>(m_pListWnd->SendMessage(LVM_INSERTCOLUMNW, nCount, reinterpret_cast<LPARAM>(&column)));
}

BOOL CVZListBase::BuildColumns(int nCount, const int* pWidths, const LPCWSTR* pTexts)
{
    for (int i = 0; i < nCount; i++)
    {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = pWidths[i];
        column.pszText = const_cast<LPWSTR>(pTexts[i]);
        column.iSubItem = i;
        if (m_pListWnd->SendMessage(LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column)) < 0)
            return FALSE;
    }
    return TRUE;
}

BOOL CVZListBase::BuildColumnsFromIds(int nCount, const int* pWidths, const UINT* pStringIds)
{
    CStringArray texts;
    CArray<LPCWSTR, LPCWSTR> pointers;
    texts.SetSize(nCount > 0 ? nCount : 0);
    pointers.SetSize(nCount > 0 ? nCount : 0);
    for (int i = 0; i < nCount; i++)
    {
        texts[i].LoadString(pStringIds[i]);
        pointers[i] = texts[i];
    }
    return BuildColumns(nCount, pWidths, nCount > 0 ? pointers.GetData() : NULL);
}

int CVZListBase::GetColumnCount()
{
    CWnd* pHeader = GetHeader();
    if (!IsReportView() || pHeader == NULL)
        return -1;
    return static_cast<int>(pHeader->SendMessage(HDM_GETITEMCOUNT));
}

int CVZListBase::CopyRow(int nFrom, int nTo)
{
    if (nFrom == nTo || nFrom < 0 || nTo < 0)
        return -1;
    wchar_t szText[256] = L"";
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = nFrom;
    item.pszText = szText;
    item.cchTextMax = 256;
    if (!m_pListWnd->SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    item.iItem = nTo;
    const int nInserted = static_cast<int>(m_pListWnd->SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (nInserted < 0)
        return -1;
    if (nTo < nFrom)
        nFrom++;   // the source moved down

    const int nColumns = GetColumnCount();
    for (int nSubItem = 1; nSubItem < nColumns; nSubItem++)
    {
        wchar_t szSub[256] = L"";
        LVITEMW sub = {};
        sub.iSubItem = nSubItem;
        sub.pszText = szSub;
        sub.cchTextMax = 256;
        m_pListWnd->SendMessage(LVM_GETITEMTEXTW, nFrom, reinterpret_cast<LPARAM>(&sub));
        if (szSub[0] != 0)
            m_pListWnd->SendMessage(LVM_SETITEMTEXTW, nInserted, reinterpret_cast<LPARAM>(&sub));
    }
    return nFrom;
}

BOOL CVZListBase::MoveRow(int nFrom, int nTo)
{
    if (nFrom == nTo || nFrom < 0 || nTo < 0)
        return FALSE;
    const int nSource = CopyRow(nFrom, nTo);
    if (nSource < 0)
        return FALSE;
    return m_pListWnd->SendMessage(LVM_DELETEITEM, nSource) == 1;
}

void CVZListBase::RedrawList()
{
    if (m_pListWnd != NULL && m_pListWnd->GetSafeHwnd() != NULL)
        m_pListWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CVZListBase::SetListColors(COLORREF clrText, COLORREF clrBack)
{
    m_clrText = clrText;
    m_clrBack = clrBack;
    m_bListColorsSet = TRUE;
    RedrawList();
}

void CVZListBase::SetRowColorRecord(const VZListRowColor* pRecord)
{
    if (pRecord != NULL)
        SetRowColor(pRecord->nRow, pRecord->clrText, pRecord->clrBack);
}

void CVZListBase::SetRowColor(int nRow, COLORREF clrText, COLORREF clrBack)
{
    VZListRowColor* pRecord = FindRowColor(nRow);
    if (pRecord == NULL)
    {
        pRecord = new VZListRowColor;
        pRecord->nRow = nRow;
        m_rowColors.AddTail(pRecord);
    }
    pRecord->clrText = clrText;
    pRecord->clrBack = clrBack;
    if (m_pListWnd == NULL || m_pListWnd->GetSafeHwnd() == NULL)
        return;
    const int nTop = static_cast<int>(m_pListWnd->SendMessage(LVM_GETTOPINDEX));
    const int nPage = static_cast<int>(m_pListWnd->SendMessage(LVM_GETCOUNTPERPAGE));
    if (nRow >= nTop && nRow <= nTop + nPage)
        RedrawList();
}

void CVZListBase::RemoveAllRowColors()
{
    while (!m_rowColors.IsEmpty())
        delete static_cast<VZListRowColor*>(m_rowColors.RemoveHead());
}

VZListRowColor* CVZListBase::FindRowColor(int nRow)
{
    for (POSITION pos = m_rowColors.GetHeadPosition(); pos != NULL;)
    {
        VZListRowColor* pRecord = static_cast<VZListRowColor*>(m_rowColors.GetNext(pos));
        if (pRecord->nRow == nRow)
            return pRecord;
    }
    return NULL;
}

BOOL CVZListBase::ModifyExtendedStyle(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD dwOld = GetExtendedStyle();
    const DWORD dwNew = (dwOld & ~dwRemove) | dwAdd;
    if (dwNew == dwOld)
        return FALSE;
    m_pListWnd->SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNew);
    return TRUE;
}

BOOL CVZListBase::Init()
{
    if (m_pListWnd == NULL || m_pListWnd->GetSafeHwnd() == NULL)
        return FALSE;
    if (m_bUseUIFont)
        m_pListWnd->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetGlobalUIData()->m_fontNormal.GetSafeHandle()));
    return TRUE;
}

BOOL CVZListBase::HandleHeaderNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHEADERW* pNotify = reinterpret_cast<NMHEADERW*>(lParam);
    switch (pNotify->hdr.code)
    {
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
    case HDN_ENDTRACKW:
        if (pNotify->pitem != NULL && (pNotify->pitem->mask & HDI_WIDTH) && pNotify->pitem->cxy < m_nMinColumnWidth)
            pNotify->pitem->cxy = m_nMinColumnWidth;
        break;
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        if (m_bColumnsLocked)
        {
            *pResult = 1;
            return TRUE;
        }
        break;
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW:
        if (CVZFlatHeaderCtrl* pHeader = GetFlatHeader())
        {
            if (pNotify->hdr.hwndFrom != pHeader->GetSafeHwnd())
                break;
            BOOL bAscending;
            if (pNotify->iButton == 0)
                bAscending = pNotify->iItem == m_nSortColumn ? !m_bAscending : TRUE;
            else if (pNotify->iButton == 1)
                pHeader->GetSortImage(&bAscending);
            else
                break;
            m_nSortColumn = pNotify->iItem;
            m_bAscending = static_cast<BYTE>(bAscending ? TRUE : FALSE);
            pHeader->SetSortImage(m_nSortColumn, bAscending);
            SortList(m_nSortColumn, bAscending);
        }
        break;
    default:
        break;
    }
    return OwnerOnNotify(wParam, lParam, pResult);
}

void CVZListBase::RefreshColors()
{
    m_nMaxColumnWidth = ::GetSystemMetrics(SM_CXFULLSCREEN);
    const COLORREF clrBack =
        m_bListColorsSet && m_clrBack != static_cast<COLORREF>(-1) ? m_clrBack : ::GetSysColor(COLOR_WINDOW);
    m_clrSortBack = CVZPColorValue(clrBack).Subtract(RGB(8, 8, 8));
    m_clrSortText =
        m_bListColorsSet && m_clrText != static_cast<COLORREF>(-1) ? m_clrText : ::GetSysColor(COLOR_WINDOWTEXT);
}

void CVZListBase::OnCustomDraw(NMLVCUSTOMDRAW* pDraw, LRESULT* pResult)
{
    *pResult = CDRF_DODEFAULT;
    const DWORD dwStage = pDraw->nmcd.dwDrawStage;
    if (dwStage == CDDS_PREPAINT || dwStage == CDDS_ITEMPREPAINT)
    {
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        return;
    }
    if (dwStage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM))
        return;

    const int nItem = static_cast<int>(pDraw->nmcd.dwItemSpec);
    const VZListRowColor* pRecord = FindRowColor(nItem);
    const BOOL bSorted = m_bSortColumnColor && pDraw->iSubItem == m_nSortColumn;
    const BOOL bSelected = (m_pListWnd->SendMessage(LVM_GETITEMSTATE, nItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const BOOL bUseRow = m_bRowColors && pRecord != NULL && !bSelected;

    if (!m_pListWnd->IsWindowEnabled())
    {
        pDraw->clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        pDraw->clrTextBk = ::GetSysColor(COLOR_BTNFACE);
    }
    else if (bUseRow)
    {
        pDraw->clrText = pRecord->clrText;
        pDraw->clrTextBk = bSorted ? COLORREF(CVZPColorValue(pRecord->clrBack).Blend(m_clrSortBack, 50))
                                   : pRecord->clrBack;
    }
    else if (bSorted)
    {
        pDraw->clrText = m_clrSortText;
        pDraw->clrTextBk = m_clrSortBack;
    }
    else if (m_bListColorsSet)
    {
        pDraw->clrText = m_clrText != static_cast<COLORREF>(-1) ? m_clrText : ::GetSysColor(COLOR_WINDOWTEXT);
        pDraw->clrTextBk = m_clrBack != static_cast<COLORREF>(-1) ? m_clrBack : ::GetSysColor(COLOR_WINDOW);
    }
    else
    {
        pDraw->clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        pDraw->clrTextBk = ::GetSysColor(COLOR_WINDOW);
    }
}

void CVZListBase::OnPaint()
{
    CPaintDC dc(m_pListWnd);
    CWnd* pHeader = IsReportView() ? GetHeader() : NULL;
    if (pHeader != NULL)
    {
        CRect rcHeader;
        pHeader->GetWindowRect(&rcHeader);
        m_pListWnd->ScreenToClient(&rcHeader);
        dc.ExcludeClipRect(&rcHeader);
    }

    COLORREF clrBack =
        m_bListColorsSet && m_clrBack != static_cast<COLORREF>(-1) ? m_clrBack : ::GetSysColor(COLOR_WINDOW);
    if (!m_pListWnd->IsWindowEnabled())
        clrBack = ::GetSysColor(COLOR_BTNFACE);

    CRect rcClient;
    m_pListWnd->GetClientRect(&rcClient);
    {
        CVZMemDC memDC(&dc, rcClient, CVZPGradientColor(clrBack));
        if (pHeader != NULL && m_bSortColumnColor)
        {
            int x = rcClient.left - m_pListWnd->GetScrollPos(SB_HORZ);
            const int nCount = static_cast<int>(pHeader->SendMessage(HDM_GETITEMCOUNT));
            for (int nPosition = 0; nPosition < nCount; nPosition++)
            {
                const int nColumn = static_cast<int>(pHeader->SendMessage(HDM_ORDERTOINDEX, nPosition));
                const int nWidth = static_cast<int>(m_pListWnd->SendMessage(LVM_GETCOLUMNWIDTH, nColumn));
                if (nColumn == m_nSortColumn)
                {
                    memDC.FillSolidRect(x, rcClient.top, nWidth, rcClient.Height(), m_clrSortBack);
                    break;
                }
                x += nWidth;
            }
        }
        OwnerDefault(WM_PAINT, reinterpret_cast<WPARAM>(memDC.GetSafeHdc()), 0);
    }
    if (pHeader != NULL)
    {
        pHeader->Invalidate();
        pHeader->UpdateWindow();
    }
}
