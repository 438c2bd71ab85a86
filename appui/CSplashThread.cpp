#include "CSplashThread.h"

#include <math.h>

BOOL g_bSplashEnabled = TRUE;

IMPLEMENT_DYNCREATE(CSplashThread, CWinThread)

namespace {

enum Block
{
    blockTitle,
    blockMixed,
    blockVersion,
    blockLeft,
    blockRight,
    blockSideLabel,
    blockSide,
};

BOOL IsUpper(TCHAR ch)
{
    return ::IsCharUpper(ch);
}

}  // namespace

CSplashThread::CSplashThread()
    : m_nBitmapID(0),
      m_nDisplayTime(2000),
      m_nCloseTime(0),
      m_pParent(NULL),
      m_nBitmapWidth(0),
      m_nBitmapHeight(0),
      m_strText2(_T("Version")),
      m_dwStartTick(0)
{
    m_bAutoDelete = TRUE;
    SetDefaultFonts();
    SetDefaultLayout();
}

CSplashThread::~CSplashThread() = default;

void CSplashThread::SetDefaultFonts()
{
    const FontFace fonts[5] = {
        { 26, FW_BOLD, TRUE, OUT_TT_PRECIS, _T("Courier New") },
        { 26, FW_BOLD, TRUE, OUT_TT_PRECIS, _T("Arial") },
        { 18, FW_BOLD, TRUE, OUT_TT_PRECIS, _T("Arial") },
        { 12, FW_BOLD, FALSE, OUT_DEFAULT_PRECIS, _T("MS Sans Serif") },
        { 8, FW_NORMAL, FALSE, OUT_DEFAULT_PRECIS, _T("MS Sans Serif") },
    };
    for (int i = 0; i < 5; i++)
        m_fonts[i] = fonts[i];
}

void CSplashThread::SetDefaultLayout()
{
    const POINT origins[7] = { { 52, 86 }, { 52, 121 }, { 52, 210 }, { 121, 210 },
                               { 210, 210 }, { 255, 210 }, { 255, 225 } };
    const SIZE steps[7] = { { 0, 30 }, { 0, 30 }, { 0, 0 }, { 0, 15 }, { 0, 15 }, { 0, 0 }, { 0, 15 } };
    for (int i = 0; i < 7; i++)
    {
        m_ptOrigin[i] = origins[i];
        m_sizeStep[i] = steps[i];
    }
}

void CSplashThread::OnCloseTimer() {}

int CSplashThread::FontHeight(double dPoints, int nPixelsPerInch)
{
    // Rounded to the nearest pixel: 26 points at 96 dpi are 35 pixels.
    return -(int)floor(dPoints * nPixelsPerInch / 72.0 + 0.5);
}

BOOL CSplashThread::CreateSplashWindow()
{
    if (m_nBitmapID == 0 || !m_bitmap.LoadBitmap(m_nBitmapID))
        return FALSE;
    BITMAP bm = {};
    m_bitmap.GetBitmap(&bm);
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    HWND hWndParent = m_pParent != NULL ? m_pParent->GetSafeHwnd() : NULL;
    return m_wnd.CreateEx(0, lpszClass, NULL, WS_POPUP | WS_VISIBLE, 0, 0, bm.bmWidth, bm.bmHeight, hWndParent,
                          NULL);
}

BOOL CSplashThread::InitInstance()
{
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    m_wnd.m_pThread = this;
    m_dwStartTick = ::GetTickCount();
    if (g_bSplashEnabled && CreateSplashWindow())
    {
        m_wnd.UpdateWindow();
        return TRUE;
    }
    if (m_wnd.GetSafeHwnd() != NULL)
        m_wnd.DestroyWindow();
    return FALSE;
}

int CSplashThread::ExitInstance()
{
    if (m_wnd.GetSafeHwnd() != NULL)
        m_wnd.DestroyWindow();
    for (CFont& font : m_drawFonts)
        font.DeleteObject();
    m_bitmap.DeleteObject();
    CWinThread::ExitInstance();
    return 1;
}

void CSplashThread::MakeFont(CFont& font, int nIndex, CDC* pDC)
{
    const FontFace& face = m_fonts[nIndex];
    font.DeleteObject();
    font.CreateFont(FontHeight(face.dPoints, pDC->GetDeviceCaps(LOGPIXELSY)), 0, 0, 0, face.nWeight, (BYTE)face.bItalic,
                    FALSE, FALSE, DEFAULT_CHARSET, face.nOutPrecision, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, face.strFace);
}

void CSplashThread::Paint(CDC* pDC)
{
    for (int i = 0; i < 5; i++)
        MakeFont(m_drawFonts[i], i, pDC);
    int nSaved = pDC->SaveDC();
    if (m_bitmap.GetSafeHandle() != NULL)
    {
        CDC dcMem;
        dcMem.CreateCompatibleDC(pDC);
        CBitmap* pOld = dcMem.SelectObject(&m_bitmap);
        pDC->BitBlt(0, 0, m_nBitmapWidth, m_nBitmapHeight, &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
    }
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
    DrawTexts(pDC);
    pDC->RestoreDC(nSaved);
}

void CSplashThread::DrawTexts(CDC* pDC)
{
    DrawTitleLines(pDC);
    DrawMixedLines(pDC);
    DrawVersionLabel(pDC);
    DrawLeftColumn(pDC);
    DrawRightAlignedColumn(pDC);
    DrawSideLabel(pDC);
    DrawSideColumn(pDC);
}

void CSplashThread::DrawSingleText(CDC* pDC, const CString& strText, int nBlock, int nFont, UINT nAlign)
{
    pDC->SelectObject(&m_drawFonts[nFont]);
    pDC->SetTextAlign(nAlign);
    pDC->TextOut(m_ptOrigin[nBlock].x, m_ptOrigin[nBlock].y, strText);
}

void CSplashThread::DrawLines(CDC* pDC, const CStringList& list, int nBlock, int nFont, UINT nAlign)
{
    pDC->SelectObject(&m_drawFonts[nFont]);
    pDC->SetTextAlign(nAlign);
    CPoint pt = m_ptOrigin[nBlock];
    for (POSITION pos = list.GetHeadPosition(); pos != NULL; pt += m_sizeStep[nBlock])
        pDC->TextOut(pt.x, pt.y, list.GetNext(pos));
}

void CSplashThread::DrawTitleLines(CDC* pDC)
{
    DrawLines(pDC, m_lists[0], blockTitle, 0, TA_LEFT | TA_BASELINE);
}

void CSplashThread::DrawMixedLines(CDC* pDC)
{
    // Runs of capitals in font 2, two units lower; the rest in font 3; each
    // run continues where the previous one ended.
    pDC->SetTextAlign(TA_LEFT | TA_BASELINE);
    CPoint pt = m_ptOrigin[blockMixed];
    for (POSITION pos = m_lists[1].GetHeadPosition(); pos != NULL; pt += m_sizeStep[blockMixed])
    {
        const CString& strLine = m_lists[1].GetNext(pos);
        int x = pt.x;
        for (int i = 0; i < strLine.GetLength();)
        {
            BOOL bUpper = IsUpper(strLine[i]);
            int nEnd = i;
            while (nEnd < strLine.GetLength() && IsUpper(strLine[nEnd]) == bUpper)
                nEnd++;
            CString strRun = strLine.Mid(i, nEnd - i);
            pDC->SelectObject(&m_drawFonts[bUpper ? 1 : 2]);
            pDC->TextOut(x, pt.y + (bUpper ? 2 : 0), strRun);
            x += pDC->GetTextExtent(strRun).cx;
            i = nEnd;
        }
    }
}

void CSplashThread::DrawVersionLabel(CDC* pDC)
{
    DrawSingleText(pDC, m_strText2, blockVersion, 3, TA_LEFT | TA_TOP);
}

void CSplashThread::DrawLeftColumn(CDC* pDC)
{
    DrawLines(pDC, m_lists[2], blockLeft, 4, TA_LEFT | TA_TOP);
}

void CSplashThread::DrawRightAlignedColumn(CDC* pDC)
{
    DrawLines(pDC, m_lists[3], blockRight, 4, TA_RIGHT | TA_TOP);
}

void CSplashThread::DrawSideLabel(CDC* pDC)
{
    DrawSingleText(pDC, m_strText1, blockSideLabel, 3, TA_LEFT | TA_TOP);
}

void CSplashThread::DrawSideColumn(CDC* pDC)
{
    DrawLines(pDC, m_lists[4], blockSide, 4, TA_LEFT | TA_TOP);
}
