#include "CVZFlatComboBoxTheme.h"

#include "CVZFlatComboBox.h"
#include "CVZPColorManager.h"
#include "CVZPDrawTools.h"
#include "CVZPGlobalUIData.h"
#include "VZPSelectors.h"

#include <algorithm>

namespace {

COLORREF Color(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

}  // namespace

IMPLEMENT_DYNCREATE(CVZFlatComboBoxThemeFactory, CVZThemeManagerStyleFactory)

CVZThemeManagerStyle* CVZFlatComboBoxThemeFactory::CreateTheme(int nStyle)
{
    CVZFlatComboBoxThemeClassic* pTheme;
    if (nStyle == 1)
        pTheme = new CVZFlatComboBoxThemeFlat;
    else if (nStyle == 2)
        pTheme = new CVZFlatComboBoxThemeGradient;
    else
        pTheme = new CVZFlatComboBoxThemeClassic;
    pTheme->m_nStyle = nStyle;
    return pTheme;
}

CVZFlatComboBoxThemeClassic::CVZFlatComboBoxThemeClassic()
    : m_nButtonWidth(15), m_cxBorder(1), m_cyBorder(1), m_cxEdge(2), m_cyEdge(2)
{
}

void CVZFlatComboBoxThemeClassic::RefreshMetrics()
{
    CVZThemeManagerStyle::RefreshMetrics();
    m_cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    m_cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    m_cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    m_cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    CClientDC dc(NULL);
    CVZPFontSelector font(&dc, &GetGlobalUIData()->m_fontNormal);
    TEXTMETRICW tm;
    dc.GetTextMetrics(&tm);
    m_nButtonWidth = std::max<int>(15, 2 * tm.tmAveCharWidth + 4);
}

void CVZFlatComboBoxThemeClassic::DrawFrame(CDC* pDC, const CRect& rect, int nState)
{
    if (nState == 2 || nState == 3)
        pDC->Draw3dRect(&rect, Color(COLOR_3DSHADOW), Color(COLOR_3DHIGHLIGHT));
}

void CVZFlatComboBoxThemeClassic::DrawFlatComboBox(CDC* pDC, CWnd* pCombo, int nState)
{
    CRect rcClient;
    pCombo->GetClientRect(&rcClient);
    CRect rcInner(rcClient);
    rcInner.DeflateRect(m_cxEdge, m_cyEdge);
    if (pCombo->IsWindowEnabled())
    {
        pDC->FillSolidRect(&rcInner, Color(COLOR_WINDOW));
        CRect rcText(rcInner);
        rcText.DeflateRect(m_cxBorder, m_cyBorder);
        rcText.right -= m_nButtonWidth + ((nState == 2 || nState == 3) ? 1 : 0);
        DrawFrame(pDC, rcClient, nState);
        if ((int)pCombo->SendMessage(CB_GETEDITSEL) == -1)
        {
            CVZFlatComboBox* pFlat = DYNAMIC_DOWNCAST(CVZFlatComboBox, pCombo);
            const COLORREF clrBack = pFlat != NULL ? pFlat->GetBackColor() : COLORREF(-1);
            pDC->FillSolidRect(&rcText, clrBack != COLORREF(-1) ? clrBack : Color(COLOR_WINDOW));
        }
    }
    else
    {
        pDC->FillSolidRect(&rcInner, Color(51));
        pDC->Draw3dRect(&rcClient, Color(52), Color(52));
    }
    DrawArrow(pDC, rcInner, nState, pCombo);
}

void CVZFlatComboBoxThemeClassic::DrawArrow(CDC* pDC, CRect rect, int nState, CWnd* pCombo)
{
    CRect rcButton(rect);
    DrawButton(pDC, rcButton, nState, pCombo);
    const CPoint ptOffset = ArrowOffset(nState);
    const int x = (rcButton.left + rcButton.right - 4) / 2 + ptOffset.x;
    const int y = (rcButton.top + rcButton.bottom - 2) / 2 + ptOffset.y;
    const COLORREF clr = Color(pCombo->IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_3DSHADOW);
    for (int i = 0; i < 5; i++)
        pDC->SetPixel(x + i, y, clr);
    for (int i = 1; i < 4; i++)
        pDC->SetPixel(x + i, y + 1, clr);
    pDC->SetPixel(x + 2, y + 2, clr);
}

void CVZFlatComboBoxThemeClassic::DrawButton(CDC* pDC, CRect& rect, int nState, CWnd* pCombo)
{
    (void)pCombo;
    rect.left = rect.right - m_nButtonWidth + 4;
    const COLORREF clrFace = Color(COLOR_3DFACE);
    if (nState == 2 || nState == 3)
    {
        if (nState == 2)
            pDC->Draw3dRect(&rect, Color(COLOR_3DHIGHLIGHT), Color(COLOR_3DSHADOW));
        else
            pDC->Draw3dRect(&rect, Color(COLOR_3DSHADOW), Color(COLOR_3DHIGHLIGHT));
        rect.InflateRect(1, 1);
        pDC->Draw3dRect(&rect, clrFace, clrFace);
        rect.DeflateRect(2, 2);
        pDC->FillSolidRect(&rect, clrFace);
    }
    else
    {
        rect.DeflateRect(1, 1);
        pDC->FillSolidRect(&rect, clrFace);
    }
}

void CVZFlatComboBoxThemeFlat::DrawFrame(CDC* pDC, const CRect& rect, int nState)
{
    const COLORREF clr = Color((nState == 2 || nState == 3) ? VZPCOLOR_HIGHLIGHT_BORDER : 51);
    pDC->Draw3dRect(&rect, clr, clr);
}

void CVZFlatComboBoxThemeFlat::DrawButtonEdge(CDC* pDC, const CRect& rect, COLORREF clr)
{
    pDC->FillSolidRect(rect.left - 1, rect.top, 1, rect.Height(), clr);
}

void CVZFlatComboBoxThemeFlat::DrawButton(CDC* pDC, CRect& rect, int nState, CWnd* pCombo)
{
    (void)pCombo;
    rect.left = rect.right - m_nButtonWidth + 2;
    if (nState == 2 || nState == 3)
    {
        pDC->FillSolidRect(&rect, Color(nState == 2 ? VZPCOLOR_HIGHLIGHT : VZPCOLOR_HIGHLIGHT_PUSHED));
        DrawButtonEdge(pDC, rect, Color(VZPCOLOR_HIGHLIGHT_BORDER));
    }
    else
    {
        rect.DeflateRect(1, 1);
        pDC->FillSolidRect(&rect, Color(COLOR_3DFACE));
    }
}

void CVZFlatComboBoxThemeGradient::DrawFrame(CDC* pDC, const CRect& rect, int nState)
{
    if (nState == 2 || nState == 3)
    {
        const COLORREF clr = GetColorManager()->GetSchemeColor(VZPCOLOR_HIGHLIGHT_BORDER);
        pDC->Draw3dRect(&rect, clr, clr);
    }
}

void CVZFlatComboBoxThemeGradient::DrawButton(CDC* pDC, CRect& rect, int nState, CWnd* pCombo)
{
    CVZPColorManager* pColors = GetColorManager();
    rect.left = rect.right - m_nButtonWidth + 2;
    if (nState == 2 || nState == 3)
    {
        CVZPDrawTools::FillGradientColor(pDC, &rect, &pColors->m_gradients[nState == 2 ? 9 : 8], FALSE);
        DrawButtonEdge(pDC, rect, pColors->GetSchemeColor(VZPCOLOR_HIGHLIGHT_BORDER));
    }
    else if (pCombo->IsWindowEnabled())
    {
        rect.DeflateRect(1, 1);
        CVZPDrawTools::FillGradientColor(pDC, &rect, &pColors->m_gradients[6], FALSE);
    }
}
