// The DBF viewer on a real frame: columns and cells by field type, the
// data start after a deleted first record, the field limit, and damaged
// tables (short fields, cut descriptors, empty records) read without
// reaching past the file.
#include <gtest/gtest.h>

#include <afxdisp.h>

#include <string>
#include <vector>

#include "CEx_StyleDoc.h"
#include "IPreviewHost.h"
#include "MfcTestSupport.h"
#include "TestSupport.h"
#include "database/CDBF_View.h"
#include "database/CPSDViewView.h"

// The view that stays active on the frame, so that the viewer finds the
// document while it is being created.
class CBlankView : public CView
{
    DECLARE_DYNCREATE(CBlankView)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CBlankView, CView)

namespace {

using tesmir::test::Utf8;

std::wstring Table(const wchar_t* name)
{
    return std::wstring(TESMIR_DB_FIXTURES) + L"/" + name + L".dbf";
}

class CHostFrame : public CFrameWnd, public IPreviewHost
{
public:
    void SetPreviewView(CMainPreviewView*) override {}
    void SetPreviewOk(BOOL bOk) override { m_bPreviewOk = bOk; }
    BOOL IsPreviewOk() const override { return m_bPreviewOk; }
    void SetPreviewSupported(BOOL) override {}
    BOOL m_bPreviewOk = FALSE;
};

// A frame with the document the preview pane fills in; the viewer is
// created on it as the pane would, from its run-time class.
class DbfView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CHostFrame;
        m_pFrame->Create(NULL, _T("DBF preview"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 660, 420));
        m_app.m_pMainWnd = m_pFrame;
        m_pDoc = new CEx_StyleDoc;
        m_pDoc->m_bAutoDelete = FALSE;
        CCreateContext context;
        context.m_pCurrentDoc = m_pDoc;
        context.m_pNewViewClass = RUNTIME_CLASS(CBlankView);
        CView* pBlank = (CView*)m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST + 1);
        pBlank->ShowWindow(SW_HIDE);
        m_pFrame->SetActiveView(pBlank, FALSE);
    }
    void TearDown() override
    {
        Close();
        m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = NULL;
        delete m_pDoc;
    }

    CListCtrl& Open(const std::wstring& path)
    {
        return *((CDBF_View*)Show(path, RUNTIME_CLASS(CDBF_View)))->m_pList;
    }
    CView* Show(const std::wstring& path, CRuntimeClass* pClass)
    {
        Close();
        m_pFrame->m_bPreviewOk = 2;  // neither answer
        m_pDoc->m_strPreviewPath = path.c_str();
        CCreateContext context;
        context.m_pCurrentDoc = m_pDoc;
        context.m_pNewViewClass = pClass;
        m_pView = (CView*)m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST);
        CRect rc;
        m_pFrame->GetClientRect(&rc);
        m_pView->MoveWindow(0, 0, rc.Width(), rc.Height());
        return m_pView;
    }
    void Close()
    {
        if (m_pView) {
            m_pView->DestroyWindow();
            m_pView = nullptr;
        }
    }
    BOOL Ok() const { return m_pFrame->m_bPreviewOk; }

    static std::vector<std::string> Columns(CListCtrl& list)
    {
        std::vector<std::string> names;
        for (int i = 0;; ++i) {
            wchar_t text[300] = L"";
            LVCOLUMNW col = {};
            col.mask = LVCF_TEXT;
            col.pszText = text;
            col.cchTextMax = 300;
            if (!::SendMessageW(list.m_hWnd, LVM_GETCOLUMNW, i, (LPARAM)&col))
                break;
            names.push_back(Utf8(text));
        }
        return names;
    }
    static std::string Cell(CListCtrl& list, int row, int col)
    {
        return Utf8((LPCTSTR)list.GetItemText(row, col));
    }
    static std::vector<std::string> Column(CListCtrl& list, int col)
    {
        std::vector<std::string> cells;
        for (int row = 0; row < list.GetItemCount(); ++row)
            cells.push_back(Cell(list, row, col));
        return cells;
    }

    tesmir::test::CScopedApp m_app;
    CHostFrame* m_pFrame = nullptr;
    CEx_StyleDoc* m_pDoc = nullptr;
    CView* m_pView = nullptr;
};

typedef std::vector<std::string> Texts;

TEST_F(DbfView, NamesAndAgesFillTheListAndFillTheView)
{
    CListCtrl& list = Open(Table(L"name_age"));
    EXPECT_EQ(TRUE, Ok());
    EXPECT_EQ((Texts{"Index", "NAME", "AGE"}), Columns(list));
    EXPECT_EQ((Texts{"1", "2"}), Column(list, 0));
    EXPECT_EQ((Texts{"Alice     ", "Bob       "}), Column(list, 1));
    EXPECT_EQ((Texts{"42.000000", "7.000000"}), Column(list, 2));
    EXPECT_EQ(100, list.GetColumnWidth(1));
    EXPECT_EQ(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
              list.GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(CDBF_View::IDC_DBF_LIST, list.GetDlgCtrlID());

    // The list covers the view, also after the view is resized.
    CRect view, inner;
    m_pView->GetClientRect(&view);
    list.GetWindowRect(&inner);
    EXPECT_EQ(view.Size(), inner.Size());
    m_pView->MoveWindow(0, 0, 300, 200);
    m_pView->GetClientRect(&view);
    list.GetWindowRect(&inner);
    EXPECT_EQ(view.Size(), inner.Size());
    CRect rc;
    m_pFrame->GetClientRect(&rc);
    m_pView->MoveWindow(0, 0, rc.Width(), rc.Height());

    // What the screen shows: the header row and the two records.
    tesmir::test::PumpUntil([] { return false; }, 200);
    m_pFrame->UpdateWindow();
    tesmir::test::CDibCanvas canvas(640, 400);
    tesmir::test::CaptureWindow(m_pFrame->m_hWnd, canvas);
    canvas.SaveBmp(tesmir::test::ScreenshotPath(L"dbf_name_age.bmp"));
    int dark = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 300; ++x)
            dark += GetRValue(canvas.Pixel(x, y)) < 100;
    EXPECT_GT(dark, 50) << "no text drawn";
}

TEST_F(DbfView, CellTextFollowsTheFieldType)
{
    struct Case { const wchar_t* table; Texts cells; };
    const Case cases[] = {
        {L"date", {"2007/12/31"}},
        {L"logical", {"TRUE", "TRUE", "TRUE", "TRUE", "FALSE", "FALSE", "FALSE", "FALSE"}},
        {L"memo", {"Memo", "Memo"}},
        {L"integer", {"1", "-5"}},
        {L"long_name", {"abc"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.table));
        CListCtrl& list = Open(Table(c.table));
        EXPECT_EQ(TRUE, Ok());
        EXPECT_EQ(c.cells, Column(list, 1));
    }
    // An eleven-letter name has no NUL: the type byte is not part of it.
    EXPECT_EQ((Texts{"Index", "ABCDEFGHIJK"}), Columns(*((CDBF_View*)m_pView)->m_pList));

    // Currency: the low 32 bits without their last four digits, in the
    // locale's currency text.
    CListCtrl& list = Open(Table(L"currency"));
    EXPECT_EQ(Utf8((LPCTSTR)COleCurrency(12, 0).Format()), Cell(list, 0, 1));
    EXPECT_EQ(Utf8((LPCTSTR)COleCurrency(1, 0).Format()), Cell(list, 1, 1));

    // Other letters show themselves; logical words in either case.
    const BYTE yes[] = " yes  ";
    EXPECT_EQ("TRUE", Utf8((LPCTSTR)DbfCellText('L', yes, 6)));
    const BYTE truth[] = "\xC8\xD1\xD2\xC8\xCD\xC0";
    EXPECT_EQ("TRUE", Utf8((LPCTSTR)DbfCellText('L', truth, 6)));
    const BYTE any[] = "abc";
    EXPECT_EQ("X", Utf8((LPCTSTR)DbfCellText('X', any, 3)));
    EXPECT_EQ("General", Utf8((LPCTSTR)DbfCellText('G', any, 3)));
    EXPECT_EQ("", Utf8((LPCTSTR)DbfCellText('T', any, 3)));
}

TEST_F(DbfView, DeletedRecordsAreShownInLine)
{
    CListCtrl& list = Open(Table(L"deleted"));
    EXPECT_EQ(TRUE, Ok());
    EXPECT_EQ((Texts{"1", "2", "3"}), Column(list, 0));
    EXPECT_EQ((Texts{"Alice     ", "Gone One  ", "Carl      "}), Column(list, 1));
    EXPECT_EQ((Texts{"42.000000", "1.000000", "30.000000"}), Column(list, 2));

    // The first record deleted, with a blank between the terminator and
    // the data: the header length says where the records start.
    CListCtrl& first = Open(Table(L"deleted_first"));
    EXPECT_EQ(TRUE, Ok());
    EXPECT_EQ((Texts{"Gone Two  ", "Dora      "}), Column(first, 1));
    EXPECT_EQ((Texts{"2.000000", "55.000000"}), Column(first, 2));
}

TEST_F(DbfView, TwoHundredFieldsAtMost)
{
    CListCtrl& list = Open(Table(L"fields200"));
    EXPECT_EQ(TRUE, Ok());
    EXPECT_EQ(201u, Columns(list).size());
    EXPECT_EQ("x", Cell(list, 0, 200));

    CListCtrl& over = Open(Table(L"fields201"));
    EXPECT_EQ(FALSE, Ok());
    EXPECT_EQ(0u, Columns(over).size());
    EXPECT_EQ(0, over.GetItemCount());
}

TEST_F(DbfView, DamagedTablesGiveSaneCells)
{
    // The last record ends inside its name: what is there, then nothing.
    CListCtrl& cut = Open(Table(L"truncated"));
    EXPECT_EQ(TRUE, Ok());
    EXPECT_EQ((Texts{"Alice     ", "Bob "}), Column(cut, 1));
    EXPECT_EQ((Texts{"42.000000", ""}), Column(cut, 2));

    // Fields shorter than the values read from them.
    CListCtrl& shortFields = Open(Table(L"short_fields"));
    EXPECT_EQ(TRUE, Ok());
    EXPECT_EQ("2", Cell(shortFields, 0, 1));
    EXPECT_EQ("7", Cell(shortFields, 0, 2));
    EXPECT_EQ(Utf8((LPCTSTR)COleCurrency(5, 0).Format()), Cell(shortFields, 0, 3));

    // 255 nines as a number: every digit, no overflow.
    CListCtrl& big = Open(Table(L"long_number"));
    EXPECT_EQ(TRUE, Ok());
    std::string number = Utf8((LPCTSTR)big.GetItemText(0, 1));
    EXPECT_GE(number.size(), 255u + 7u);
    EXPECT_EQ(".000000", number.substr(number.size() - 7));
    EXPECT_EQ("99999999999999", number.substr(0, 14));
}

TEST_F(DbfView, TablesWithoutUsableDescriptorsAreRefused)
{
    struct Case { const wchar_t* table; Texts columns; };
    const Case cases[] = {
        {L"no_descriptor", {"Index"}},
        {L"cut_descriptor", {"Index", "NAME"}},
        {L"no_such_table", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.table));
        CListCtrl& list = Open(Table(c.table));
        EXPECT_EQ(FALSE, Ok());
        EXPECT_EQ(c.columns, Columns(list));
        EXPECT_EQ(0, list.GetItemCount());
    }
}

TEST_F(DbfView, EmptyRecordsEndTheReading)
{
    // Half a megabyte of one-byte records would otherwise be as many rows.
    CListCtrl& list = Open(Table(L"zero_length"));
    EXPECT_EQ(TRUE, Ok());
    EXPECT_LE(list.GetItemCount(), 1);
    EXPECT_EQ(3u, Columns(list).size());
}

// The picture viewer shares the frame: it stretches the decoded picture
// over its whole client area and clears the flag when nothing decoded.
TEST_F(DbfView, PsdViewerStretchesThePicture)
{
    CView* pView = Show(std::wstring(TESMIR_DB_FIXTURES) + L"/rgb_raw.psd", RUNTIME_CLASS(CPSDViewView));
    EXPECT_EQ(TRUE, Ok());
    EXPECT_EQ(0, ((CPSDViewView*)pView)->m_nLoadResult);
    ASSERT_NE(nullptr, pView->GetDlgItem(IDC_PSD_FRAME));
    const COLORREF colour = RGB(200, 100, 50);
    for (CSize size : {CSize(600, 360), CSize(300, 200)}) {
        pView->MoveWindow(0, 0, size.cx, size.cy);
        pView->UpdateWindow();
        tesmir::test::CDibCanvas canvas(640, 400, RGB(0, 0, 255));
        tesmir::test::CaptureWindow(pView->m_hWnd, canvas);
        canvas.SaveBmp(tesmir::test::ScreenshotPath(size.cx == 600 ? L"psd_view_large.bmp" : L"psd_view_small.bmp"));
        CRect rc;
        pView->GetClientRect(&rc);
        // Inside the frame's one-pixel border the picture reaches every edge.
        EXPECT_EQ(colour, canvas.Pixel(rc.Width() / 2, rc.Height() / 2));
        EXPECT_EQ(colour, canvas.Pixel(2, 2));
        EXPECT_EQ(colour, canvas.Pixel(rc.Width() - 3, rc.Height() - 3));
    }

    const wchar_t* failures[] = {L"not_psd", L"rgba_raw", L"huge", L"no_such_document"};
    for (const wchar_t* name : failures) {
        SCOPED_TRACE(Utf8(name));
        Show(std::wstring(TESMIR_DB_FIXTURES) + L"/" + name + L".psd", RUNTIME_CLASS(CPSDViewView));
        EXPECT_EQ(FALSE, Ok());
    }
}

}  // namespace
