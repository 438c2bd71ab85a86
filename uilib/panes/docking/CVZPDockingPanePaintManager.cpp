#include "CVZPDockingPanePaintManager.h"

#include <windowsx.h>

#include <algorithm>

#include "CVZPDockingPaneBase.h"
#include "CVZPDockingPaneSplitterContainer.h"
#include "CVZPDockingPaneTabbedContainer.h"
#include "CVZPDrawTools.h"

#include "CVZPColorManager.h"
#include "CVZPTabPaintManager.h"
#include "VZPDrawHelpers.h"
#include "VZPPaneMetrics.h"

BOOL CVZPDockingPaneCaptionButton::IsVisible()
{
    return m_pOwner != NULL && m_pOwner->IsCaptionButtonVisible(this);
}

void CVZPDockingPaneCaptionButton::SetRect(const RECT& rc)
{
    if (::EqualRect(&m_rc, &rc))
        return;
    m_rc = rc;
}

void CVZPDockingPaneCaptionButton::Redraw()
{
    if (m_pOwner != NULL)
        m_pOwner->InvalidatePane();
}

BOOL CVZPDockingPaneCaptionButton::Click(CWnd* pWnd, int x, int y, BOOL bClientCoords)
{
    if (::GetCapture() != NULL || pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return FALSE;
    HWND hWnd = pWnd->GetSafeHwnd();
    ::SetCapture(hWnd);
    CPoint pt(x, y);
    BOOL bResult = FALSE;
    for (;;)
    {
        const BOOL bInside = m_rc.PtInRect(pt);
        if (bInside != m_bPressed)
        {
            m_bPressed = bInside;
            Redraw();
        }
        MSG msg;
        const BOOL bGot = ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot == 0)
        {
            // The request to end belongs to the loop that owns it.
            AfxPostQuitMessage(int(msg.wParam));
            break;
        }
        if (bGot == -1)
            break;
        if (::GetCapture() != hWnd)
        {
            ::DispatchMessageW(&msg);
            break;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            pt.SetPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            if (!bClientCoords)
            {
                CRect rcWindow;
                ::GetWindowRect(hWnd, &rcWindow);
                ::ClientToScreen(hWnd, &pt);
                pt -= rcWindow.TopLeft();
            }
        }
        else if (msg.message == WM_NCMOUSEMOVE)
        {
        }
        else if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_CANCELMODE ||
                 msg.message == WM_RBUTTONDOWN)
        {
            break;
        }
        else if (msg.message == WM_KEYDOWN)
        {
        }
        else if (msg.message == WM_LBUTTONUP)
        {
            bResult = m_bPressed;
            break;
        }
        else
        {
            ::DispatchMessageW(&msg);
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bPressed = FALSE;
    OnMouseMove(pt.x, pt.y);
    Redraw();
    return bResult;
}

BOOL CVZPDockingPaneCaptionButton::OnMouseMove(int x, int y)
{
    const BOOL bInside = m_rc.PtInRect(CPoint(x, y));
    if (!bInside && m_bHot)
    {
        m_bHot = FALSE;
        Redraw();
    }
    else if (bInside && !m_bHot)
    {
        CWnd* pWnd = m_pOwner != NULL ? m_pOwner->GetPaneWindow() : NULL;
        if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
        {
            TRACKMOUSEEVENT tme = { sizeof(TRACKMOUSEEVENT), TME_LEAVE, pWnd->GetSafeHwnd(), 0 };
            ::_TrackMouseEvent(&tme);
        }
        m_bHot = TRUE;
        Redraw();
        return TRUE;
    }
    return FALSE;
}

CVZPDockingPanePaintManager::CVZPDockingPanePaintManager()
    : m_bBoldCaption(TRUE), m_bHighlightActive(TRUE), m_nSplitterBand(4), m_bShowCaption(TRUE),
      m_bShowTabsForOnePane(FALSE), m_dwSplitterStyle(0), m_nCaptionHeight(0), m_nCaptionSpacing(5),
      m_nTabStripHeight(0), m_bPreferTahoma(FALSE), m_bSystemFont(TRUE), m_pPanelTabPaintManager(NULL),
      m_pAutoHideTabPaintManager(NULL), m_nTheme(0), m_strFaceName(L"Tahoma"), m_rcCaptionMargin(0, 2, 0, 1),
      m_nColorScheme(5)
{
    CVZPColorManager* pColors = GetColorManager();
    for (int i = 0; i < VZP_COLOR_COUNT; i++)
        m_clrTable[i] = pColors->GetColor(i);
    m_clrGrip = GetColor(COLOR_BTNSHADOW);
    m_clrFace = GetColor(COLOR_BTNFACE);

    m_pPanelTabPaintManager = new CVZPTabPaintManager;
    m_pPanelTabPaintManager->SetLayoutStyle(vzpTabLayoutShrinkToFit);
    m_pPanelTabPaintManager->SetTabPosition(vzpTabPositionBottom);
    m_pPanelTabPaintManager->m_nStripKind = 1;
    m_pPanelTabPaintManager->m_bBoldSelected = FALSE;
    m_pPanelTabPaintManager->m_nTooltipMode = 1;

    m_pAutoHideTabPaintManager = new CVZPTabPaintManager;
    m_pAutoHideTabPaintManager->SetLayoutStyle(vzpTabLayoutCompressed);
    m_pAutoHideTabPaintManager->m_nStripKind = 2;
    m_pAutoHideTabPaintManager->m_bBoldSelected = FALSE;
    m_pAutoHideTabPaintManager->m_bReverseGradient = TRUE;
    m_pAutoHideTabPaintManager->m_bFillBackground = FALSE;
}

CVZPDockingPanePaintManager::~CVZPDockingPanePaintManager()
{
    if (m_pPanelTabPaintManager != NULL)
        m_pPanelTabPaintManager->InternalRelease();
    if (m_pAutoHideTabPaintManager != NULL)
        m_pAutoHideTabPaintManager->InternalRelease();
    m_fntCaption.DeleteObject();
    m_fntCaptionVertical.DeleteObject();
}

void CVZPDockingPanePaintManager::DrawPane(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc)
{
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    if (pPane->HasCaption() && m_bShowCaption)
    {
        pDC->SetBkMode(TRANSPARENT);
        DrawCaption(pDC, pPane, rc);
    }
    AdjustCaptionRect(pPane, &rc);
    if (pPane->IsTabStripShown())
        m_pPanelTabPaintManager->DrawTabStrip(pPane, pDC, rc);
}

void CVZPDockingPanePaintManager::DrawCaptionButtons(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect* pRect,
                                                     COLORREF clrGlyph, int nSize, int nGap, BOOL bVertical)
{
    CRect rcSlot;
    if (bVertical)
    {
        const int x = (pRect->left + pRect->right) / 2 - nSize / 2;
        rcSlot.SetRect(x, pRect->bottom - nSize, x + nSize, pRect->bottom);
    }
    else
    {
        const int y = (pRect->top + pRect->bottom) / 2 - nSize / 2;
        rcSlot.SetRect(pRect->right - nSize, y, pRect->right, y + nSize);
    }
    for (INT_PTR i = 0; i < pButtons->GetSize(); i++)
    {
        CVZPDockingPaneCaptionButton* pButton = pButtons->GetAt(i);
        if (!pButton->IsVisible())
        {
            pButton->SetRect(CRect(0, 0, 0, 0));
            continue;
        }
        pButton->SetRect(rcSlot);
        DrawCaptionButton(pDC, pButton, clrGlyph);
        if (bVertical)
            rcSlot.OffsetRect(0, -(nSize + nGap));
        else
            rcSlot.OffsetRect(-(nSize + nGap), 0);
    }
    // The caption text ends before the buttons.
    if (bVertical)
        pRect->bottom = rcSlot.bottom;
    else
        pRect->right = rcSlot.right;
}

void CVZPDockingPanePaintManager::DrawCaptionButton(CDC* /*pDC*/, CVZPDockingPaneCaptionButton* /*pButton*/,
                                                    COLORREF /*clrGlyph*/)
{
}

BOOL CVZPDockingPanePaintManager::AdjustClientRect(CVZPDockingPaneTabbedContainer* pPane, RECT* pRect, BOOL bApply)
{
    AdjustCaptionRect(pPane, pRect);
    if (!pPane->IsTabStripShown())
        return FALSE;
    if (bApply && pPane->GetSafeHwnd() != NULL)
    {
        CClientDC dc(pPane);
        // The strip is laid out in the container's own client coordinates.
        CRect rcLayout = *pRect;
        CRect rcWindow = pPane->GetPaneRect();
        rcLayout.OffsetRect(-rcWindow.left, -rcWindow.top);
        m_pPanelTabPaintManager->LayoutTabStrip(pPane, &dc, rcLayout);
    }
    m_pPanelTabPaintManager->DeflateToClient(pPane, pRect);
    return TRUE;
}

void CVZPDockingPanePaintManager::AdjustCaptionRect(CVZPDockingPaneTabbedContainer* pPane, RECT* pRect)
{
    if (!pPane->HasCaption() || !m_bShowCaption)
        return;
    const int nThickness = m_nCaptionHeight + m_rcCaptionMargin.top + m_rcCaptionMargin.bottom;
    if (pPane->IsCaptionVertical())
        pRect->left += nThickness;
    else
        pRect->top += nThickness;
}

void CVZPDockingPanePaintManager::DrawFloatingFrame(CDC* /*pDC*/, CVZPDockingPaneMiniWnd* /*pFrame*/, CRect /*rc*/)
{
}

void CVZPDockingPanePaintManager::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, int nColor)
{
    CPen pen(PS_SOLID, 1, GetColor(nColor));
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    pDC->SelectObject(pOldPen);
}

void CVZPDockingPanePaintManager::FillAndFrame(CDC* pDC, CRect rc, int nFill, int nFrame)
{
    pDC->FillSolidRect(rc, GetColor(nFill));
    pDC->Draw3dRect(rc, GetColor(nFrame), GetColor(nFrame));
}

void CVZPDockingPanePaintManager::SetPixel(CDC* pDC, int x, int y, int nColor)
{
    pDC->SetPixel(x, y, GetColor(nColor));
}

void CVZPDockingPanePaintManager::DrawSplitter(CDC* pDC, CVZPDockingPaneSplitterWnd* pSplitter)
{
    CRect rc;
    pSplitter->GetClientRect(&rc);
    const BOOL bHorzBar = pSplitter->IsBarHorizontal();   // lies across a vertical container
    const COLORREF clrFace = m_clrFace;

    if (m_dwSplitterStyle & vzpSplitterRaised)
    {
        pDC->FillSolidRect(rc, clrFace);
        if (bHorzBar)
        {
            pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, GetColor(COLOR_BTNHIGHLIGHT));
            pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, GetColor(VZPCOLOR_FLAT_DISABLED_BORDER));
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(COLOR_BTNTEXT));
        }
        else
        {
            pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), GetColor(COLOR_BTNHIGHLIGHT));
            pDC->FillSolidRect(rc.right - 2, rc.top, 1, rc.Height(), GetColor(VZPCOLOR_FLAT_DISABLED_BORDER));
            pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), GetColor(COLOR_BTNTEXT));
        }
    }
    else if (m_dwSplitterStyle & vzpSplitterSunkenBand)
    {
        pDC->FillSolidRect(rc, clrFace);
        const int nBand = std::max(m_nSplitterBand / 2 - 1, 0);
        if (bHorzBar)
        {
            pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, GetColor(COLOR_3DDKSHADOW));
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(COLOR_3DDKSHADOW));
            pDC->FillSolidRect(rc.left, rc.top + 1, rc.Width(), nBand, GetColor(COLOR_WINDOW));
        }
        else
        {
            pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), GetColor(COLOR_3DDKSHADOW));
            pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), GetColor(COLOR_3DDKSHADOW));
            pDC->FillSolidRect(rc.left + 1, rc.top, nBand, rc.Height(), GetColor(COLOR_WINDOW));
        }
    }
    else if (m_dwSplitterStyle & vzpSplitterGradient)
    {
        // One gradient across the whole frame, so neighbouring bars join.
        CWnd* pFrame = pSplitter->GetParent();
        CRect rcFrame(0, 0, 0, 0);
        if (pFrame != NULL)
        {
            pFrame->GetClientRect(&rcFrame);
            pFrame->MapWindowPoints(pSplitter, reinterpret_cast<LPPOINT>(&rcFrame), 2);
        }
        const int nWidth = std::max(rcFrame.Width(), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
        CRect rcGradient(rcFrame.left, rc.top, rcFrame.left + nWidth, rc.bottom);
        CVZPDrawTools::GradientFillClipped(pDC, rcGradient, m_grcSplitter.GetStartColor(), m_grcSplitter.GetEndColor(),
                                          TRUE, rc);
    }
    else
    {
        pDC->FillSolidRect(rc, clrFace);
    }

    const int nLength = bHorzBar ? rc.Width() : rc.Height();
    const int nCentre = nLength / 2;
    const COLORREF clrGrip = m_clrGrip;
    if (m_dwSplitterStyle & vzpSplitterGripLines)
    {
        for (int nOffset : { 2, 4 })
        {
            if (bHorzBar)
                pDC->FillSolidRect(rc.left + nCentre, rc.top + nOffset, 11, 1, clrGrip);
            else
                pDC->FillSolidRect(rc.left + nOffset, rc.top + nCentre, 1, 11, clrGrip);
        }
    }
    if (m_dwSplitterStyle & vzpSplitterGripDots)
    {
        const int nHalf = nLength / 2 > 42 ? 32 : nLength / 2 - 10;
        const int nAcross = (bHorzBar ? rc.Height() : rc.Width()) / 2;
        for (int p = nCentre - nHalf + 3; p - 3 < nCentre + nHalf; p += 4)
        {
            const int x = bHorzBar ? rc.left + p - 2 : rc.left + nAcross - 1;
            const int y = bHorzBar ? rc.top + nAcross - 1 : rc.top + p - 2;
            pDC->FillSolidRect(x, y, 2, 2, GetColor(COLOR_BTNHIGHLIGHT));
            pDC->FillSolidRect(x - 1, y - 1, 2, 2, clrGrip);
        }
    }
}

void CVZPDockingPanePaintManager::DrawCommonGlyph(CDC* pDC, int nID, DWORD dwGlyphState, CPoint pt, COLORREF clrGlyph)
{
    CPen pen(PS_SOLID, 1, clrGlyph);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int x = pt.x, y = pt.y;
    auto line = [pDC](int x1, int y1, int x2, int y2) {
        pDC->MoveTo(x1, y1);
        pDC->LineTo(x2, y2);
    };
    switch (nID)
    {
    case VZP_IDS_DOCKINGPANE_CLOSE:
        line(x - 4, y - 3, x + 3, y + 4);
        line(x - 4, y + 3, x + 3, y - 4);
        line(x - 3, y - 3, x + 4, y + 4);
        line(x - 3, y + 3, x + 4, y - 4);
        break;
    case VZP_IDS_DOCKINGPANE_AUTOHIDE:
        if (!(dwGlyphState & 2))
        {
            const int d = y + 1;
            line(x - 3, d, x + 4, d);
            line(x, d, x, y + 5);
            pDC->MoveTo(x - 2, d);
            pDC->LineTo(x - 2, y - 4);
            pDC->LineTo(x + 2, y - 4);
            pDC->LineTo(x + 2, d);
            line(x + 1, d, x + 1, y - 4);
        }
        else
        {
            line(x - 4, y, x - 1, y);
            line(x - 1, y - 3, x - 1, y + 4);
            pDC->MoveTo(x - 1, y + 2);
            pDC->LineTo(x + 3, y + 2);
            pDC->LineTo(x + 3, y - 2);
            pDC->LineTo(x - 1, y - 2);
            line(x - 1, y + 1, x + 3, y + 1);
        }
        break;
    case VZP_IDS_DOCKINGPANE_MAXIMIZE:
        pDC->Draw3dRect(x - 5, y - 5, 9, 9, clrGlyph, clrGlyph);
        pDC->FillSolidRect(x - 5, y - 5, 9, 2, clrGlyph);
        break;
    case VZP_IDS_DOCKINGPANE_RESTORE:
        pDC->Draw3dRect(x - 4, y - 2, 6, 6, clrGlyph, clrGlyph);
        pDC->FillSolidRect(x - 4, y - 2, 6, 2, clrGlyph);
        pDC->FillSolidRect(x - 2, y - 5, 6, 2, clrGlyph);
        pDC->SetPixel(x - 2, y - 3, clrGlyph);
        pDC->FillSolidRect(x + 3, y - 3, 1, 4, clrGlyph);
        pDC->SetPixel(x + 2, y, clrGlyph);
        break;
    case VZP_IDS_DOCKINGPANE_MENU:
    {
        CBrush brush(clrGlyph);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        POINT pts[4] = { { x - 4, y - 1 }, { x - 1, y + 2 }, { x, y + 2 }, { x + 3, y - 1 } };
        pDC->Polygon(pts, 4);
        pDC->SelectObject(pOldBrush);
        break;
    }
    default:
        break;
    }
    pDC->SelectObject(pOldPen);
}

void CVZPDockingPanePaintManager::RefreshMetrics()
{
    RefreshColorsThrottled();
    CVZPColorManager* pColors = GetColorManager();
    for (int i = 0; i < VZP_COLOR_COUNT; i++)
        m_clrTable[i] = pColors->GetColor(i);

    m_clrGrip = GetColor(COLOR_BTNSHADOW);
    m_clrFace = GetColor(COLOR_BTNFACE);
    COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    m_grcSplitter.SetStandardValue(clrFace, CVZPColorManager::BlendColors(clrFace, ::GetSysColor(COLOR_WINDOW), 205));

    if (m_bSystemFont)
    {
        // 500 bytes: the structure as the build's Windows version declares it.
        NONCLIENTMETRICSW ncm = {};
        ncm.cbSize = 500;
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
        {
            if (!m_bBoldCaption)
                ncm.lfSmCaptionFont.lfWeight = FW_NORMAL;
            SetCaptionFont(&ncm.lfSmCaptionFont, TRUE);
        }
    }

    m_pPanelTabPaintManager->RefreshMetrics();
    m_pAutoHideTabPaintManager->RefreshMetrics();

    m_nTabStripHeight = std::max(VZPMeasureSpaceHeight(&m_pPanelTabPaintManager->m_fntNormal) + 10, 24);
}

COLORREF CVZPDockingPanePaintManager::GetColor(int nIndex) const
{
    if (unsigned(nIndex) >= unsigned(VZP_COLOR_COUNT))
        return COLORREF(nIndex);
    return m_clrTable[nIndex];
}

void CVZPDockingPanePaintManager::SetColors(int nCount, const int* pIndexes, const COLORREF* pColors)
{
    for (int i = 0; i < nCount; i++)
    {
        if (unsigned(pIndexes[i]) < unsigned(VZP_COLOR_COUNT))
            m_clrTable[pIndexes[i]] = pColors[i];
    }
}

int CVZPDockingPanePaintManager::GetColorScheme() const
{
    CVZPColorManager* pColors = GetColorManager();
    if (m_nColorScheme == 5)
        return pColors->m_bNoVisualStyle ? 0 : pColors->GetCurrentColorScheme();
    if (m_nColorScheme == 4)
        return pColors->GetDetectedColorScheme();
    return m_nColorScheme;
}

void CVZPDockingPanePaintManager::SetCaptionFont(const LOGFONT* pLogFont, BOOL bSystemFont)
{
    m_bSystemFont = bSystemFont;
    if (pLogFont == NULL)
        return;

    LOGFONT lf = *pLogFont;
    if (m_bPreferTahoma && lf.lfCharSet <= 2 && bSystemFont && FontExists(L"Tahoma"))
        lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
    m_fntCaption.DeleteObject();
    m_fntCaption.CreateFontIndirect(&lf);

    lf.lfOrientation = 900;
    lf.lfEscapement = 2700;
    if (lf.lfHeight >= -10 && lf.lfHeight <= -1)
        lf.lfHeight = -11;
    CString strFace = ChooseUiFontFace(m_bPreferTahoma);
    lstrcpynW(lf.lfFaceName, strFace, LF_FACESIZE);
    m_fntCaptionVertical.DeleteObject();
    m_fntCaptionVertical.CreateFontIndirect(&lf);

    m_nCaptionHeight = std::max(VZPMeasureSpaceHeight(&m_fntCaption), 13) + m_nCaptionSpacing;
}

void CVZPDockingPanePaintManager::DeflateRectOriented(RECT* pRect, int l, int t, int r, int b, BOOL bVertical)
{
    if (bVertical)
        ::SetRect(pRect, pRect->left + t, pRect->top + l, pRect->right - b, pRect->bottom - r);
    else
        ::SetRect(pRect, pRect->left + l, pRect->top + t, pRect->right - r, pRect->bottom - b);
}

int CVZPDockingPanePaintManager::GetLengthOriented(const RECT& rc, BOOL bVertical)
{
    return bVertical ? rc.right - rc.left : rc.bottom - rc.top;
}
