// The Access database viewer over the scripted database engine: the table
// list (columns, rows, the record limit and its box, the status line), the
// value texts, the object tree (system objects, hidden queries and the
// engine's own relations), selection, deletion with its question and its
// failures, and the reports of database errors with and without the
// engine.
#include <gtest/gtest.h>

#include <afxdao.h>
#include <afxdisp.h>

#include <string>
#include <vector>

#include "CEx_StyleDoc.h"
#include "FakeDaoEngine.h"
#include "IPreviewHost.h"
#include "MessageRecorder.h"
#include "MfcTestSupport.h"
#include "TestSupport.h"
#include "database/CDaoTreeView.h"
#include "database/CMDBListView.h"
#include "database/CMDB_View.h"
#include "database/DaoViewerSettings.h"
#include "database/ReportDaoException.h"
#include "database/VariantToText.h"

class CMdbBlankView : public CView
{
    DECLARE_DYNCREATE(CMdbBlankView)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CMdbBlankView, CView)

namespace {

using tesmir::test::CFakeDaoEngine;
using tesmir::test::FakeDaoTable;
using tesmir::test::Utf8;

// The application with the viewer's settings.
class CSettingsApp : public tesmir::test::CScopedApp, public IDaoViewerSettings
{
public:
    BOOL DaoSystemObjects() const override { return m_bSystem; }
    BOOL DaoConfirmDelete() const override { return m_bConfirm; }
    int DaoRecordLimit() const override { return m_nLimit; }
    BOOL m_bSystem = FALSE;
    BOOL m_bConfirm = TRUE;
    int m_nLimit = 10000;
};

class CHostFrame : public CFrameWnd, public IPreviewHost
{
public:
    void SetPreviewView(CMainPreviewView*) override {}
    void SetPreviewOk(BOOL bOk) override { m_bPreviewOk = bOk; }
    BOOL IsPreviewOk() const override { return m_bPreviewOk; }
    void SetPreviewSupported(BOOL) override {}
    BOOL m_bPreviewOk = FALSE;
    std::vector<std::wstring> m_statusTexts;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETMESSAGESTRING && wParam == 0 && lParam != 0)
            m_statusTexts.push_back((LPCWSTR)lParam);
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// One recorded message box: its caption and text, answered with a button.
struct Box
{
    std::wstring caption;
    std::wstring text;
};

// Answers every message box of this thread with button nId while in scope,
// recording caption and text. A thread timer, which runs inside the box's
// modal loop, finds the boxes among the thread's windows, so the answer
// does not depend on the box being activated.
class CBoxAnswer
{
public:
    CBoxAnswer(int nId, std::vector<Box>* pBoxes) : m_nId(nId), m_pBoxes(pBoxes)
    {
        s_pCurrent = this;
        m_nTimer = ::SetTimer(NULL, 0, 30, &CBoxAnswer::OnTimer);
    }
    ~CBoxAnswer()
    {
        ::KillTimer(NULL, m_nTimer);
        s_pCurrent = nullptr;
    }
    int Answered() const { return m_nAnswered; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_pCurrent != nullptr)
            ::EnumThreadWindows(::GetCurrentThreadId(), &CBoxAnswer::OnWindow, 0);
    }
    static BOOL CALLBACK OnWindow(HWND hWnd, LPARAM)
    {
        wchar_t name[16] = L"";
        ::GetClassNameW(hWnd, name, 16);
        CBoxAnswer* self = s_pCurrent;
        if (self == nullptr || lstrcmpW(name, L"#32770") != 0 || !::IsWindowVisible(hWnd))
            return TRUE;
        // A box without the chosen button (the record count's, after a
        // deletion selected the next table) gets OK.
        const int nId = ::GetDlgItem(hWnd, self->m_nId) != NULL ? self->m_nId : IDOK;
        wchar_t text[1024] = L"", caption[256] = L"";
        ::GetDlgItemTextW(hWnd, 0xFFFF, text, 1024);
        ::GetWindowTextW(hWnd, caption, 256);
        self->m_pBoxes->push_back({caption, text});
        self->m_nAnswered++;
        ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), (LPARAM)::GetDlgItem(hWnd, nId));
        ::ShowWindow(hWnd, SW_HIDE);   // answered: not found again
        return FALSE;
    }

    static CBoxAnswer* s_pCurrent;
    int m_nId;
    std::vector<Box>* m_pBoxes;
    UINT_PTR m_nTimer = 0;
    int m_nAnswered = 0;
};
CBoxAnswer* CBoxAnswer::s_pCurrent = nullptr;

FakeDaoTable Table3x2()
{
    FakeDaoTable table;
    table.name = L"Staff";
    table.rows = 2;
    table.fields = {{L"Id", 4, nullptr},
                    {L"Name", 10, [](long row) { return COleVariant(row ? _T("Bob") : _T("Alice")); }},
                    {L"Active", 1, [](long row) { return COleVariant((short)(row ? 0 : -1), VT_BOOL); }}};
    return table;
}

class MdbView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CoInitialize(NULL);
        m_pFrame = new CHostFrame;
        m_pFrame->Create(NULL, _T("MDB preview"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 700, 460));
        m_app.m_pMainWnd = m_pFrame;
        m_pDoc = new CEx_StyleDoc;
        m_pDoc->m_bAutoDelete = FALSE;
        CCreateContext context;
        context.m_pCurrentDoc = m_pDoc;
        context.m_pNewViewClass = RUNTIME_CLASS(CMdbBlankView);
        CView* pBlank = (CView*)m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST + 1);
        pBlank->ShowWindow(SW_HIDE);
        m_pFrame->SetActiveView(pBlank, FALSE);

        m_engine.tables.push_back(Table3x2());
        m_engine.tables.push_back(tesmir::test::MakeFakeTable(L"Big", 2, 12000));
        m_engine.tables.push_back(tesmir::test::MakeFakeTable(L"MSysObjects", 1, 1));
        m_engine.tables.back().attributes = (long)0x80000002;
        m_engine.tables.push_back(tesmir::test::MakeFakeTable(L"Hidden", 1, 1));
        m_engine.tables.back().attributes = 2;   // a hidden system object
        m_engine.queries.push_back({L"Adults", 0});
        m_engine.queries.push_back({L"Passthrough", 5});
        m_engine.relations.push_back({L"StaffBig", L"Staff", L"Big", 2});
        m_engine.relations.push_back({L"MSysNavPaneGroupsMSysNavPaneGroupToObjects", L"a", L"b", 0});
        m_engine.Install();
    }
    void TearDown() override
    {
        if (m_pView)
            m_pView->DestroyWindow();
        delete m_pDoc;   // closes the database
        // Not the main window any more, so its end posts no WM_QUIT that
        // would end the next test's message boxes at once.
        m_app.m_pMainWnd = NULL;
        m_pFrame->DestroyWindow();
        m_engine.Uninstall();
    }

    // The viewer as the pane makes it: created, then the document opens the
    // database.
    CMDB_View* ShowDatabase()
    {
        CCreateContext context;
        context.m_pCurrentDoc = m_pDoc;
        context.m_pNewViewClass = RUNTIME_CLASS(CMDB_View);
        m_pView = (CMDB_View*)m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST);
        CRect rc;
        m_pFrame->GetClientRect(&rc);
        m_pView->MoveWindow(0, 0, rc.Width(), rc.Height());
        EXPECT_EQ(1, m_pDoc->OpenDatabase(L"C:\\temp\\tmp1.mdb"));
        return m_pView;
    }
    CTreeCtrl& Tree() { return m_pView->m_pTreeView->Tree(); }
    CListCtrl& List() { return *m_pView->m_pListView->m_pList; }

    // The children of an item, by text.
    std::vector<std::string> Children(HTREEITEM hParent)
    {
        std::vector<std::string> names;
        for (HTREEITEM h = Tree().GetChildItem(hParent); h; h = Tree().GetNextSiblingItem(h))
            names.push_back(Utf8((LPCTSTR)Tree().GetItemText(h)));
        return names;
    }
    HTREEITEM Find(const wchar_t* text)
    {
        std::vector<HTREEITEM> stack{Tree().GetRootItem()};
        while (!stack.empty()) {
            HTREEITEM h = stack.back();
            stack.pop_back();
            if (!h)
                continue;
            if (Tree().GetItemText(h) == text)
                return h;
            stack.push_back(Tree().GetNextSiblingItem(h));
            stack.push_back(Tree().GetChildItem(h));
        }
        return NULL;
    }
    std::vector<std::string> Columns()
    {
        std::vector<std::string> names;
        for (int i = 0;; ++i) {
            wchar_t text[300] = L"";
            LVCOLUMNW col = {};
            col.mask = LVCF_TEXT;
            col.pszText = text;
            col.cchTextMax = 300;
            if (!::SendMessageW(List().m_hWnd, LVM_GETCOLUMNW, i, (LPARAM)&col))
                break;
            names.push_back(Utf8(text));
        }
        return names;
    }
    std::vector<std::string> Row(int row)
    {
        std::vector<std::string> cells;
        const int n = (int)Columns().size();
        for (int c = 0; c < n; ++c)
            cells.push_back(Utf8((LPCTSTR)List().GetItemText(row, c)));
        return cells;
    }
    void Select(const wchar_t* text)
    {
        HTREEITEM h = Find(text);
        ASSERT_NE(nullptr, h) << Utf8(text);
        Tree().SelectItem(h);
    }
    void PressDelete() { Tree().SendMessage(WM_KEYDOWN, VK_DELETE, 0x01530001); }
    void Screenshot(const wchar_t* name)
    {
        tesmir::test::PumpUntil([] { return false; }, 150);
        m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CRect rc;
        m_pFrame->GetClientRect(&rc);
        tesmir::test::CDibCanvas canvas(rc.Width(), rc.Height());
        tesmir::test::CaptureWindow(m_pFrame->m_hWnd, canvas);
        canvas.SaveBmp(tesmir::test::ScreenshotPath(name));
    }

    CSettingsApp m_app;
    CFakeDaoEngine m_engine;
    CHostFrame* m_pFrame = nullptr;
    CEx_StyleDoc* m_pDoc = nullptr;
    CMDB_View* m_pView = nullptr;
};

typedef std::vector<std::string> Texts;

TEST_F(MdbView, TreeShowsUserObjectsWithTheRootExpanded)
{
    ShowDatabase();
    EXPECT_EQ(m_pView->m_pTreeView, m_pDoc->m_pDaoTreeView);
    EXPECT_EQ(m_pView->m_pListView, m_pDoc->m_pTableView);
    EXPECT_EQ((Texts{"Access DataBase"}), Children(TVI_ROOT));
    HTREEITEM hRoot = Tree().GetRootItem();
    EXPECT_EQ((Texts{"Tables", "Relations", "QueryDefs"}), Children(hRoot));
    EXPECT_EQ((Texts{"Staff", "Big"}), Children(Find(L"Tables")));
    EXPECT_EQ((Texts{"Adults"}), Children(Find(L"QueryDefs")));
    // Relations are hidden by name, not by their attributes.
    EXPECT_EQ((Texts{"StaffBig"}), Children(Find(L"Relations")));
    EXPECT_TRUE(Tree().GetItemState(hRoot, TVIS_EXPANDED) & TVIS_EXPANDED);
    for (const wchar_t* branch : {L"Tables", L"Relations", L"QueryDefs"})
        EXPECT_FALSE(Tree().GetItemState(Find(branch), TVIS_EXPANDED) & TVIS_EXPANDED) << Utf8(branch);

    // Images by kind; bitmap 181 has at least twelve.
    struct
    {
        const wchar_t* item;
        int image;
    } images[] = {{L"Access DataBase", 0}, {L"Tables", 3}, {L"Staff", 2},      {L"Relations", 9},
                  {L"StaffBig", 8},        {L"QueryDefs", 11}, {L"Adults", 10}};
    for (const auto& c : images) {
        int image = -1, selected = -1;
        Tree().GetItemImage(Find(c.item), image, selected);
        EXPECT_EQ(c.image, image) << Utf8(c.item);
    }
    CImageList* pImages = Tree().GetImageList(TVSIL_NORMAL);
    ASSERT_NE(nullptr, pImages);
    EXPECT_GE(pImages->GetImageCount(), 12);
    Tree().Expand(Find(L"Tables"), TVE_EXPAND);
    Tree().Expand(Find(L"Relations"), TVE_EXPAND);
    Tree().Expand(Find(L"QueryDefs"), TVE_EXPAND);
    Screenshot(L"mdb_tree.bmp");

    // With system objects every table, query and relation is listed.
    m_app.m_bSystem = TRUE;
    m_pView->m_pTreeView->PopulateTree();
    EXPECT_EQ((Texts{"Staff", "Big", "MSysObjects", "Hidden"}), Children(Find(L"Tables")));
    EXPECT_EQ((Texts{"Adults", "Passthrough"}), Children(Find(L"QueryDefs")));
    EXPECT_EQ(2u, Children(Find(L"Relations")).size());
}

TEST_F(MdbView, SelectingATableFillsTheListOtherItemsLeaveIt)
{
    ShowDatabase();
    std::vector<Box> boxes;
    {
        CBoxAnswer answer(IDOK, &boxes);
        Select(L"Staff");
        tesmir::test::PumpUntil([] { return false; }, 100);
    }
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ((Texts{"Index", "Id", "Name", "Active"}), Columns());
    ASSERT_EQ(2, List().GetItemCount());
    EXPECT_EQ((Texts{"0", "0", "Alice", "TRUE"}), Row(0));
    EXPECT_EQ((Texts{"1", "1", "Bob", "FALSE"}), Row(1));
    ASSERT_FALSE(m_pFrame->m_statusTexts.empty());
    EXPECT_EQ(L"Loaded 2 of 2 total records", m_pFrame->m_statusTexts.back());
    Screenshot(L"mdb_table.bmp");

    for (const wchar_t* other : {L"Tables", L"Relations", L"StaffBig", L"QueryDefs", L"Adults", L"Access DataBase"}) {
        Select(other);
        EXPECT_EQ(2, List().GetItemCount()) << Utf8(other);
        EXPECT_EQ(4u, Columns().size()) << Utf8(other);
    }
}

TEST_F(MdbView, TheRecordLimitShowsItsRowsAndOneBox)
{
    ShowDatabase();
    std::vector<Box> boxes;
    {
        CBoxAnswer answer(IDOK, &boxes);
        Select(L"Big");
    }
    EXPECT_EQ(10000, List().GetItemCount());
    EXPECT_EQ("9999", Utf8((LPCTSTR)List().GetItemText(9999, 0)));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"Loaded 10000 of 12000 total records", boxes[0].text);
    EXPECT_EQ(L"Loaded 10000 of 12000 total records", m_pFrame->m_statusTexts.back());
    // Every record was stepped over, the rows beyond the limit unread.
    EXPECT_EQ(12000u, m_engine.log->Count(L"Recordset.MoveNext"));
}

// Errors while listing: the column walk reports and goes on with the
// columns made; an unreadable value leaves its cell empty; a failed
// recordset keeps the rows and shows no count.
TEST_F(MdbView, ListingErrorsAreReportedAndKeepWhatWasMade)
{
    ShowDatabase();
    CMessageRecorder recorder;
    m_engine.Fail(L"Fields.Item", {(HRESULT)0x800A0CC1, L"Item not found in this collection.", 3265}, 2);
    CMDBListView* pList = m_pView->m_pListView;
    pList->ShowTable(_T("Staff"));
    EXPECT_EQ((Texts{"Index", "Id", "Name"}), Columns());
    ASSERT_EQ(1u, recorder.messages().size());
    EXPECT_EQ(MessageKindError, recorder.messages()[0].kind);
    EXPECT_NE(std::string::npos,
              Utf8(recorder.messages()[0].text).find("Item not found in this collection.   (3265)"));
    // The recordset's field reads fail as well: empty cells, rows kept.
    EXPECT_EQ(2, List().GetItemCount());
    EXPECT_EQ((Texts{"0", "", ""}), Row(0));

    m_engine.Fail(L"Fields.Item", {}, 1000000);
    m_engine.Fail(L"Recordset.MoveNext", {(HRESULT)0x800A0C5A, L"", 0}, 1);
    m_pFrame->m_statusTexts.clear();
    pList->ShowTable(_T("Staff"));
    EXPECT_EQ(2, List().GetItemCount());
    EXPECT_TRUE(m_pFrame->m_statusTexts.empty());
    ASSERT_EQ(2u, recorder.messages().size());
    EXPECT_NE(std::string::npos, Utf8(recorder.messages()[1].text).find("ERROR:CDaoException"));
}

TEST_F(MdbView, DeleteRemovesTablesAndQueriesOnly)
{
    ShowDatabase();
    // Branches and relations: asked, nothing removed.
    for (const wchar_t* item : {L"Access DataBase", L"Tables", L"Relations", L"QueryDefs", L"StaffBig"}) {
        Select(item);
        std::vector<Box> boxes;
        {
            CBoxAnswer answer(IDYES, &boxes);
            PressDelete();
        }
        ASSERT_EQ(1u, boxes.size()) << Utf8(item);
        EXPECT_EQ(L"RivIzod - Warning", boxes[0].caption);
        EXPECT_EQ(L"Are you sure you want to delete this item ?", boxes[0].text);
        EXPECT_NE(nullptr, Find(item)) << Utf8(item);
    }
    EXPECT_EQ(4u, m_engine.tables.size());
    EXPECT_EQ(1u, m_engine.relations.size() - 1);

    // No keeps the table.
    Select(L"Staff");
    std::vector<Box> boxes;
    {
        CBoxAnswer answer(IDNO, &boxes);
        PressDelete();
    }
    EXPECT_NE(nullptr, Find(L"Staff"));
    EXPECT_EQ(4u, m_engine.tables.size());
    // Yes deletes it from the database and the tree (the tree then selects
    // the next table, whose rows fill the list).
    boxes.clear();
    {
        CBoxAnswer answer(IDYES, &boxes);
        PressDelete();
    }
    ASSERT_GE(boxes.size(), 1u);
    EXPECT_EQ(L"Are you sure you want to delete this item ?", boxes[0].text);
    EXPECT_EQ(nullptr, Find(L"Staff"));
    EXPECT_EQ(3u, m_engine.tables.size());
    EXPECT_EQ(1u, m_engine.log->Count(L"TableDefs.Delete"));

    // Without confirmation a failed delete shows the engine's description.
    m_app.m_bConfirm = FALSE;
    m_engine.Fail(L"TableDefs.Delete", {(HRESULT)0x800A0BF4, L"Could not delete: table is in use", 3211});
    Select(L"Big");
    boxes.clear();
    {
        CBoxAnswer answer(IDOK, &boxes);
        PressDelete();
    }
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"RivIzod - Warning", boxes[0].caption);
    EXPECT_EQ(L"Could not delete: table is in use", boxes[0].text);
    EXPECT_NE(nullptr, Find(L"Big"));
    EXPECT_EQ(3u, m_engine.tables.size());
}

// A right-clicked query is the one Delete removes, whichever item is
// selected.
TEST_F(MdbView, DeleteActsOnTheRightClickedQuery)
{
    ShowDatabase();
    m_app.m_bConfirm = FALSE;
    Tree().Expand(Find(L"QueryDefs"), TVE_EXPAND);
    Select(L"Tables");
    ASSERT_TRUE(tesmir::test::BringToFront(m_pFrame->m_hWnd));
    CRect rc;
    ASSERT_TRUE(Tree().GetItemRect(Find(L"Adults"), &rc, TRUE));
    CPoint pt = rc.CenterPoint();
    Tree().ClientToScreen(&pt);
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(pt.x, pt.y));
    tesmir::test::SendMouseButtons(pt, {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP});
    ASSERT_TRUE(tesmir::test::PumpUntil(
        [this] { return m_pView->m_pTreeView->m_currentItem.GetText() == L"Adults"; }, 5000));
    // Whatever menu the control may show is closed first.
    tesmir::test::PumpUntil([] { return false; }, 100);
    PressDelete();
    EXPECT_EQ(nullptr, Find(L"Adults"));
    ASSERT_EQ(1u, m_engine.queries.size());
    EXPECT_EQ(L"Passthrough", m_engine.queries[0].name);
    EXPECT_NE(nullptr, Find(L"Tables"));
}

// Without the engine the document's open reports the SCODE taken apart
// and fails.
TEST_F(MdbView, MissingEngineReportsTheScode)
{
    m_engine.Uninstall();
    CMessageRecorder recorder;
    EXPECT_EQ(0, m_pDoc->OpenDatabase(L"C:\\temp\\tmp1.mdb"));
    ASSERT_EQ(1u, recorder.messages().size());
    EXPECT_EQ(MessageKindError, recorder.messages()[0].kind);
    const std::string text = Utf8(recorder.messages()[0].text);
    for (const char* line : {"ERROR:CDaoException", "SCODE_CODE      =499", "SCODE_FACILITY  =4",
                             "SCODE_SEVERITY  =1", "ResultFromScode =-2147221005"})
        EXPECT_NE(std::string::npos, text.find(line)) << line << " in " << text;
}

TEST(VariantToText, EveryKindOfValue)
{
    auto text = [](const VARIANT& v) { return Utf8((LPCTSTR)VariantToText(v)); };
    VARIANT v;
    ::VariantInit(&v);
    EXPECT_EQ("NULL", text(v));
    v.vt = VT_NULL;
    EXPECT_EQ("NULL", text(v));
    EXPECT_EQ("-7", text(COleVariant((short)-7)));
    EXPECT_EQ("123456", text(COleVariant(123456L)));
    EXPECT_EQ("1.500000e+00", text(COleVariant(1.5)));
    v.vt = VT_R4;
    v.fltVal = 0.25f;
    EXPECT_EQ("2.500000e-01", text(v));
    EXPECT_EQ("Bob", text(COleVariant(_T("Bob"))));
    EXPECT_EQ("TRUE", text(COleVariant((short)-1, VT_BOOL)));
    EXPECT_EQ("FALSE", text(COleVariant((short)0, VT_BOOL)));
    v.vt = VT_UI1;
    v.bVal = 0x0A;
    EXPECT_EQ("0x0A", text(v));

    // Currency follows the locale: compared with the system's own text.
    v.vt = VT_CY;
    v.cyVal.int64 = 123450;   // 12.345
    BSTR expected = NULL;
    ASSERT_EQ(S_OK, ::VarBstrFromCy(v.cyVal, LANG_USER_DEFAULT, 0, &expected));
    EXPECT_EQ(Utf8(expected), text(v));
    ::SysFreeString(expected);

    v.vt = VT_DATE;
    v.date = COleDateTime(2007, 12, 31, 10, 0, 0).m_dt;
    EXPECT_EQ("12 31 07", text(v));

    struct
    {
        VARTYPE vt;
        const char* text;
    } names[] = {{VT_DISPATCH, "VT_DISPATCH"},
                 {VT_ERROR, "VT_ERROR"},
                 {14, "Fish"},
                 {15, "Fish"},
                 {VT_I1, "VT_I1"},
                 {VT_LPWSTR, "VT_LPWSTR"},
                 {40, "Fish"},
                 {64, "VT_FILETIME"},
                 {72, "VT_CLSID"},
                 {73, "Fish"},
                 {VT_ARRAY | VT_UI1, "Array of VT_UI1"},
                 {VT_BYREF | VT_I4, "Pointer to VT_I4"},
                 {VT_ARRAY | VT_BYREF | VT_BSTR, "Array of Pointer to VT_BSTR"},
                 {VT_ARRAY | 14, "Array of "}};
    for (const auto& c : names) {
        VARIANT t;
        t.vt = c.vt;
        t.llVal = 0;
        EXPECT_EQ(c.text, text(t)) << c.vt;
    }
}

// The cell colours of the status list by column and status word.
TEST(StatusListCtrl, ColoursByColumnAndStatusWord)
{
    struct
    {
        int sub;
        const wchar_t* status;
        COLORREF bk, fg;
    } cases[] = {{0, L"", RGB(245, 243, 178), CLR_DEFAULT},
                 {1, L"Pending x", RGB(248, 233, 243), RGB(0, 0, 0)},
                 {2, L"Done", RGB(220, 242, 226), RGB(0, 0, 255)},
                 {3, L"Failed", RGB(248, 233, 243), RGB(255, 0, 0)},
                 {4, L"Progress 5", RGB(0, 0, 0), RGB(0, 255, 0)},
                 {6, L"done", CLR_DEFAULT, CLR_DEFAULT}};
    for (const auto& c : cases) {
        COLORREF bk = CLR_DEFAULT, fg = CLR_DEFAULT;
        CStatusListCtrl::CellColours(c.sub, c.status, bk, fg);
        EXPECT_EQ(c.bk, bk) << c.sub;
        EXPECT_EQ(c.fg, fg) << c.sub;
    }
}

}  // namespace
