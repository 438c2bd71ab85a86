#include "CMainPreviewView.h"

#include "IPreviewHost.h"

CString g_strPreviewEntryPath;

namespace {

// Every extension a viewer exists for, in the dispatch order.
const wchar_t* const PreviewableExtensions[] = {
    L".png", L".j2k", L".jp2", L".j2c", L".jpc", L".jpeg", L".pcx", L".pnm", L".pgm", L".ppm", L".bmp", L".tga",
    L".tif", L".tiff", L".jpg",
    L".ico", L".emf",
    L".gif", L".qdoc", L".xls", L".xlsx", L".htm", L".mht",
    L".html",
    L".pdf", L".rtf", L".doc", L".docx",
    L".zip", L".cab", L".rar",
    L".psd",
    L".avi",
    L".wmv", L".asf", L".wm", L".wma", L".wav", L".snd", L".au", L".aif", L".mpeg", L".mpg", L".m1v", L".mp2",
    L".mpa", L".mid", L".rmi", L".midi", L".dvr-ms", L".wvx", L".wmx", L".asx", L".mp3", L".dat", L".mp4",
    L".ppt", L".pptx",
    L".dbf",
    L".mdb",
    L".c", L".cpp", L".h", L".hpp",
    L".txt", L".ini", L".xml", L".log",
    L".dxf",
    L".largefile",
};

// The header band's height and where the viewers begin.
const int HeaderHeight = 50;
const int ViewerTop = 35;

}  // namespace

IPreviewHost* GetPreviewHost() { return dynamic_cast<IPreviewHost*>(AfxGetMainWnd()); }

BOOL IsPreviewableExtension(CString path, CString extension)
{
    (void)path;
    for (const wchar_t* known : PreviewableExtensions)
        if (extension == known)
            return TRUE;
    return FALSE;
}

IMPLEMENT_DYNCREATE(CMainPreviewView, CView)

BEGIN_MESSAGE_MAP(CMainPreviewView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CMainPreviewView::CMainPreviewView() : m_strLeftCaption2(L"Preview:") {}

CMainPreviewView::~CMainPreviewView()
{
    if (IPreviewHost* host = GetPreviewHost())
        host->SetPreviewView(NULL);
    delete m_pViewer;
}

int CMainPreviewView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (IPreviewHost* host = GetPreviewHost())
        host->SetPreviewView(this);
    ShowPreview(L"fileName", L"fileType");
    return 0;
}

void CMainPreviewView::ShowPreview(CString path, CString extension)
{
    IPreviewHost* host = GetPreviewHost();
    if (host)
        host->SetPreviewOk(FALSE);
    path.MakeLower();
    extension.MakeLower();
    const BOOL supported = IsPreviewableExtension(path, extension);
    if (host) {
        host->SetPreviewSupported(supported);
        host->SetPreviewOk(TRUE);
    }
    if (!supported) {
        ShowNoPreviewView();
        Invalidate(TRUE);
        return;
    }
    ShowPlaceholder(path);
    Invalidate(TRUE);
    if (host)
        host->FocusResultList();
}

void CMainPreviewView::ShowNoPreviewView()
{
    g_strPreviewEntryPath.Empty();
    ShowPlaceholder(L"");
}

void CMainPreviewView::ShowPlaceholder(LPCTSTR lpszText)
{
    (void)lpszText;
    if (m_pViewer == NULL) {
        CStatic* pStatic = new CStatic;
        if (!pStatic->Create(L"", WS_CHILD | SS_WHITERECT, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST)) {
            delete pStatic;
            return;
        }
        m_pViewer = pStatic;
    }
    m_pViewer->ShowWindow(SW_SHOW);
    SendMessage(WM_SIZE, 0, 0);
}

void CMainPreviewView::CloseViewers()
{
    if (m_pViewer != NULL) {
        if (m_pViewer->GetSafeHwnd())
            m_pViewer->DestroyWindow();
        delete m_pViewer;
        m_pViewer = NULL;
    }
}

void CMainPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    CRect rc;
    GetClientRect(&rc);
    rc.top += ViewerTop;
    if (m_pViewer && m_pViewer->GetSafeHwnd())
        m_pViewer->MoveWindow(&rc, TRUE);
}

void CMainPreviewView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    DefWindowProc(WM_LBUTTONDBLCLK, nFlags, MAKELPARAM(point.x, point.y));
}

void CMainPreviewView::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_WINDOW));
    m_rectHeader = rc;
    m_rectHeader.bottom = m_bHeaderVisible ? HeaderHeight : 5;
    m_rectBody = rc;
    m_rectBody.top = m_rectHeader.bottom;
    pDC->FillSolidRect(&m_rectHeader, ::GetSysColor(COLOR_BTNFACE));
    CRect frame = m_rectHeader;
    frame.DeflateRect(1, 1, 1, 0);
    pDC->Draw3dRect(&frame, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));

    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    if (m_bHeaderVisible) {
        NONCLIENTMETRICS ncm = {};
        ncm.cbSize = sizeof(ncm);
        ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
        LOGFONT bold = ncm.lfMessageFont;
        bold.lfWeight = FW_BOLD;
        CFont normalFont, boldFont;
        normalFont.CreateFontIndirect(&ncm.lfMessageFont);
        boldFont.CreateFontIndirect(&bold);
        CFont* pOld = pDC->SelectObject(&boldFont);
        pDC->TextOut(4, 4, m_strLeftCaption1);
        pDC->TextOut(4, 18, m_strLeftCaption2);
        pDC->SelectObject(&normalFont);
        pDC->TextOut(75, 4, m_strRightCaption);
        pDC->TextOut(75, 18, g_strPreviewEntryPath);
        pDC->SelectObject(pOld);
    }
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
    CRect below = rc;
    below.top = HeaderHeight;
    if (below.bottom > below.top)
        pDC->FillSolidRect(&below, RGB(29, 117, 189));
}
