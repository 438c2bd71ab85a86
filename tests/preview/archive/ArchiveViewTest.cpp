// The archive viewer on a real frame with the preview document: the rows of
// zip, cabinet and RAR archives (names, folder cells, sizes, times,
// attributes), the columns by kind with the header's icons, the shared
// system image list, and the preview-ok flag for archives that cannot be
// listed. Cabinets come from tests/preview/fixtures/gen-cabinets.sh, the
// rest from the archive fixtures; RAR listings go through the stand-in
// "unrar.dll".
#include "ArchiveTestSupport.h"
#include "CEx_StyleDoc.h"
#include "CShellIcons.h"
#include "IPreviewHost.h"
#include "MfcTestSupport.h"
#include "TestSupport.h"
#include "archive/CArchiveEntry.h"
#include "archive/CArchiveListCtrl.h"
#include "archive/CMyListCtrl.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

using archivetest::ArchivePath;
using tesmir::test::BuildPath;
using tesmir::test::PaintNow;

namespace {

std::wstring CabinetPath(const wchar_t* name) { return BuildPath((std::wstring(L"preview-cabinets\\") + name).c_str()); }

std::string Narrow(const CString& s) { return tesmir::test::Utf8((LPCWSTR)s); }

class CHostFrame : public CFrameWnd, public IPreviewHost
{
public:
    void SetPreviewView(CMainPreviewView*) override {}
    void SetPreviewOk(BOOL bOk) override { m_bOk = bOk; }
    BOOL IsPreviewOk() const override { return m_bOk; }
    void SetPreviewSupported(BOOL) override {}
    BOOL m_bOk = TRUE;
};

typedef std::vector<std::vector<std::string>> Rows;

class ArchiveViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CHostFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, _T("Archive preview"), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(10, 10, 1010, 610)));
        m_app.m_pMainWnd = m_pFrame;
        m_doc.m_bAutoDelete = FALSE;
        std::wstring folder = BuildPath(L"tests\\preview\\archive\\unrar-double");
        ASSERT_NE(GetFileAttributesW((folder + L"\\unrar.dll").c_str()), INVALID_FILE_ATTRIBUTES);
        SetDllDirectoryW(folder.c_str());
    }
    void TearDown() override
    {
        Close();
        m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = NULL;
        SetDllDirectoryW(nullptr);
    }
    CMyListCtrl* Open(const std::wstring& path)
    {
        Close();
        m_pFrame->m_bOk = TRUE;
        m_doc.m_strPreviewPath = path.c_str();
        CCreateContext context;
        context.m_pCurrentDoc = &m_doc;
        context.m_pNewViewClass = RUNTIME_CLASS(CMyListCtrl);
        m_pView = (CMyListCtrl*)m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST);
        if (m_pView != nullptr) {
            CRect rc;
            m_pFrame->GetClientRect(&rc);
            m_pView->MoveWindow(0, 0, rc.Width(), rc.Height());
            PaintNow(m_pFrame);
        }
        return m_pView;
    }
    void Close()
    {
        if (m_pView) {
            m_pView->DestroyWindow();
            m_pView = nullptr;
        }
    }
    Rows Cells()
    {
        Rows rows;
        CListCtrl& list = *m_pView->m_pList;
        int columns = list.GetHeaderCtrl()->GetItemCount();
        for (int i = 0; i < list.GetItemCount(); ++i) {
            rows.emplace_back();
            for (int c = 0; c < columns; ++c)
                rows.back().push_back(Narrow(list.GetItemText(i, c)));
        }
        return rows;
    }
    std::vector<std::string> Headers()
    {
        std::vector<std::string> names;
        CHeaderCtrl* pHeader = m_pView->m_pList->GetHeaderCtrl();
        for (int i = 0; i < pHeader->GetItemCount(); ++i) {
            wchar_t text[64] = {};
            HDITEM hdi = {};
            hdi.mask = HDI_TEXT;
            hdi.pszText = text;
            hdi.cchTextMax = 64;
            pHeader->GetItem(i, &hdi);
            names.push_back(tesmir::test::Utf8(text));
        }
        return names;
    }

    tesmir::test::CScopedApp m_app;
    CHostFrame* m_pFrame = nullptr;
    CEx_StyleDoc m_doc;
    CMyListCtrl* m_pView = nullptr;
};

// Local wall-clock times of the fixtures: DOS-dated entries show the stored
// time as it is, whatever the zone.
const char* const kCabTime = "04 Mar 2021, 05:06:08";
const char* const kRarTime = "04 Mar 2021, 05:06:06";
const char* const kZipDosTime = "02 Jan 2020, 03:04:06";

TEST_F(ArchiveViewTest, ZipRowsAndColumns)
{
    ASSERT_NE(nullptr, Open(ArchivePath(L"basic.zip")));
    EXPECT_TRUE(m_pFrame->m_bOk);
    EXPECT_EQ((std::vector<std::string>{"File Name", "Directory", "File Size", "Access Time", "Creation Time",
                                        "modify Time", "Attribute"}),
              Headers());
    Rows rows = Cells();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ("dir/", rows[0][0]);
    EXPECT_EQ("Yes", rows[0][1]);
    EXPECT_EQ("dir/a.txt", rows[1][0]);
    EXPECT_EQ("Yes", rows[1][1]);
    EXPECT_EQ("b.txt", rows[2][0]);
    EXPECT_EQ("No", rows[2][1]);
    // The compressed size: the 1800 bytes of dir/a.txt deflate to far less.
    int packed = atoi(rows[1][2].c_str());
    EXPECT_GT(packed, 0);
    EXPECT_LT(packed, 1800);
    EXPECT_EQ("10", rows[2][2]);
    // Unix modes with the owner's write bit: nothing set; made on Windows
    // (attributes 0x20 only): read-only besides the archive bit.
    EXPECT_EQ("----", rows[1][6]);
    EXPECT_EQ("ra--", rows[2][6]);
    for (const auto& row : rows)
        for (int c = 3; c <= 5; ++c)
            EXPECT_EQ(kZipDosTime, row[c]) << row[0] << " column " << c;

    // A backslash is no folder.
    ASSERT_NE(nullptr, Open(ArchivePath(L"backslash.zip")));
    rows = Cells();
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("x\\y.txt", rows[0][0]);
    EXPECT_EQ("No", rows[0][1]);

    // "UT" times are UTC and shown in the local zone; a DOS date of 0 is no
    // time at all.
    ASSERT_NE(nullptr, Open(ArchivePath(L"ut-all.zip")));
    rows = Cells();
    ASSERT_EQ(1u, rows.size());
    auto local = [](DWORD unixTime) {
        ULONGLONG t = (unixTime + 11644473600ULL) * 10000000ULL;
        FILETIME ft = {(DWORD)t, (DWORD)(t >> 32)};
        return Narrow(CTime(ft, -1).Format(_T("%d %b %Y, %X")));
    };
    EXPECT_EQ(local(1600000000), rows[0][5]);
    EXPECT_EQ(local(1600000010), rows[0][3]);
    EXPECT_EQ(local(1600000020), rows[0][4]);
    ASSERT_NE(nullptr, Open(ArchivePath(L"dosdate0.zip")));
    rows = Cells();
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("", rows[0][3]);
    EXPECT_EQ("", rows[0][5]);
    EXPECT_TRUE(m_pFrame->m_bOk);

    // Entries packed with methods minizip cannot unpack are still listed.
    ASSERT_NE(nullptr, Open(ArchivePath(L"methods.zip")));
    EXPECT_EQ(2u, Cells().size());
    EXPECT_TRUE(m_pFrame->m_bOk);
}

TEST(ArchiveListCells, AttributeAndTimeTexts)
{
    const struct
    {
        DWORD attributes;
        const char* text;
    } cases[] = {{0, "----"}, {0x01, "r---"}, {0x21, "ra--"}, {0x27, "rahs"}, {0x10, "----"}, {0x26, "-ahs"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.text, Narrow(CArchiveListCtrl::AttributeText(c.attributes))) << c.attributes;
    EXPECT_EQ("", Narrow(CArchiveListCtrl::TimeText(FILETIME{})));
    // Year 30828 and beyond: no CTime.
    EXPECT_EQ("", Narrow(CArchiveListCtrl::TimeText(FILETIME{0xFFFFFFFF, 0x7FFFFFFF})));
    SYSTEMTIME st = {2021, 3, 0, 4, 5, 6, 8, 0};
    FILETIME local = {}, utc = {};
    SystemTimeToFileTime(&st, &local);
    LocalFileTimeToFileTime(&local, &utc);
    EXPECT_EQ("04 Mar 2021, 05:06:08", Narrow(CArchiveListCtrl::TimeText(utc)));
}

TEST_F(ArchiveViewTest, CabinetRowsNewestFirstAndOnlyTheLastCabinet)
{
    ASSERT_NE(nullptr, Open(CabinetPath(L"abc.cab")));
    EXPECT_TRUE(m_pFrame->m_bOk);
    EXPECT_EQ((std::vector<std::string>{"File Name", "Directory", "File Size", "Access Time", "Attribute"}), Headers());
    Rows rows = Cells();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ((std::vector<std::string>{"c.txt", "", "24", kCabTime, "-a--"}), rows[0]);
    EXPECT_EQ((std::vector<std::string>{"b.txt", "", "12", kCabTime, "rah-"}), rows[1]);
    EXPECT_EQ((std::vector<std::string>{"a.txt", "", "6", kCabTime, "-a--"}), rows[2]);
    EXPECT_EQ(3, (int)g_ArchiveEntryList.GetCount());

    ASSERT_NE(nullptr, Open(CabinetPath(L"dir.cab")));
    EXPECT_TRUE(m_pFrame->m_bOk);
    rows = Cells();
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ("root.txt", rows[0][0]);
    EXPECT_EQ("", rows[0][1]);
    EXPECT_EQ("x.txt", rows[1][0]);
    EXPECT_EQ("dir\\", rows[1][1]);
    EXPECT_EQ(2, (int)g_ArchiveEntryList.GetCount());
}

TEST_F(ArchiveViewTest, RarRowsByTheirFlags)
{
    ASSERT_NE(nullptr, Open(ArchivePath(L"flags.rar")));
    EXPECT_TRUE(m_pFrame->m_bOk);
    EXPECT_EQ((std::vector<std::string>{"File Name", "Directory", "File Size", "Access Time", "Attribute"}), Headers());
    Rows rows = Cells();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ((std::vector<std::string>{"folder", "Yes", "0", kRarTime, "----"}), rows[0]);
    EXPECT_EQ((std::vector<std::string>{"file.txt", "No", "7", kRarTime, "-a--"}), rows[1]);
    EXPECT_EQ((std::vector<std::string>{"timed.txt", "", "1", kRarTime, "-a--"}), rows[2]);

    // Sizes past 32 bits.
    ASSERT_NE(nullptr, Open(ArchivePath(L"large.rar")));
    rows = Cells();
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("4294967301", rows[0][2]);
}

// Archives without entries are listed with their columns; archives that
// cannot be read, and RAR without its library, clear the preview-ok flag.
TEST_F(ArchiveViewTest, EmptyAndUnreadableArchives)
{
    for (const std::wstring& path : {ArchivePath(L"empty.zip"), ArchivePath(L"empty.rar")}) {
        SCOPED_TRACE(tesmir::test::Utf8(path));
        ASSERT_NE(nullptr, Open(path));
        EXPECT_TRUE(m_pFrame->m_bOk);
        EXPECT_EQ(0, m_pView->m_pList->GetItemCount());
        EXPECT_GE(m_pView->m_pList->GetHeaderCtrl()->GetItemCount(), 5);
    }
    for (const std::wstring& path : {ArchivePath(L"notzip.zip"), ArchivePath(L"truncated.zip"),
                                     CabinetPath(L"notcab.cab"), ArchivePath(L"notrar.rar"),
                                     CabinetPath(L"missing.cab"), ArchivePath(L"missing.zip")}) {
        SCOPED_TRACE(tesmir::test::Utf8(path));
        ASSERT_NE(nullptr, Open(path));
        EXPECT_FALSE(m_pFrame->m_bOk);
        EXPECT_EQ(0, m_pView->m_pList->GetItemCount());
    }
    SetDllDirectoryW(nullptr);
    ASSERT_NE(nullptr, Open(ArchivePath(L"flags.rar")));
    EXPECT_FALSE(m_pFrame->m_bOk);
    EXPECT_EQ(0, m_pView->m_pList->GetItemCount());

    // Another extension lists nothing and leaves the flag alone.
    ASSERT_NE(nullptr, Open(ArchivePath(L"text.gz")));
    EXPECT_TRUE(m_pFrame->m_bOk);
    EXPECT_EQ(0, m_pView->m_pList->GetItemCount());
    EXPECT_EQ(5, m_pView->m_pList->GetHeaderCtrl()->GetItemCount());
    ASSERT_NE(nullptr, Open(ArchivePath(L"plain.txt")));
    EXPECT_EQ(0, m_pView->m_pList->GetHeaderCtrl()->GetItemCount());
}

// Extensions match in any case; a cabinet path the ANSI code page cannot
// hold is refused rather than turned into another name.
TEST_F(ArchiveViewTest, ExtensionCaseAndPathsOutsideTheCodePage)
{
    std::wstring folder = archivetest::FreshFolder(L"archive-view");
    std::wstring upper = folder + L"\\Basic.ZIP", cab = folder + L"\\Abc.Cab";
    ASSERT_TRUE(CopyFileW(ArchivePath(L"basic.zip").c_str(), upper.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(CabinetPath(L"abc.cab").c_str(), cab.c_str(), FALSE));
    ASSERT_NE(nullptr, Open(upper));
    EXPECT_TRUE(m_pFrame->m_bOk);
    EXPECT_EQ(3, m_pView->m_pList->GetItemCount());
    ASSERT_NE(nullptr, Open(cab));
    EXPECT_TRUE(m_pFrame->m_bOk);
    EXPECT_EQ(3, m_pView->m_pList->GetItemCount());

    std::wstring foreign = folder + L"\\cab\x4E2D\x6587.cab";
    ASSERT_TRUE(CopyFileW(CabinetPath(L"abc.cab").c_str(), foreign.c_str(), FALSE));
    BOOL lossy = FALSE;
    char probe[16];
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"\x4E2D\x6587", 2, probe, sizeof probe, NULL, &lossy);
    if (lossy) {
        ASSERT_NE(nullptr, Open(foreign));
        EXPECT_FALSE(m_pFrame->m_bOk);
        EXPECT_EQ(0, m_pView->m_pList->GetItemCount());
    }
}

// The list shows the shell's small icons without owning them, the header
// its own seven icons, and the list fills the view.
TEST_F(ArchiveViewTest, ImagesAndLayout)
{
    CShellIcons shell;
    HIMAGELIST system = shell.GetSystemImageList(TRUE);
    ASSERT_NE(nullptr, system);
    ASSERT_NE(nullptr, Open(ArchivePath(L"basic.zip")));
    CArchiveListCtrl& list = *m_pView->m_pList;
    EXPECT_EQ(system, (HIMAGELIST)list.SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL));
    LVITEM item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 2;
    ASSERT_TRUE(list.GetItem(&item));
    EXPECT_EQ(shell.GetFileIconIndex(_T("b.txt"), TRUE), item.iImage);
    EXPECT_EQ(7, list.m_headerImages.GetImageCount());
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    EXPECT_EQ(list.m_headerImages.GetSafeHandle(), (HIMAGELIST)pHeader->SendMessage(HDM_GETIMAGELIST));
    for (int i = 0; i < pHeader->GetItemCount(); ++i) {
        HDITEM hdi = {};
        hdi.mask = HDI_FORMAT | HDI_IMAGE;
        ASSERT_TRUE(pHeader->GetItem(i, &hdi));
        EXPECT_TRUE(hdi.fmt & HDF_IMAGE) << i;
        EXPECT_EQ(i, hdi.iImage);
    }
    DWORD ex = list.GetExtendedStyle();
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_EQ((DWORD)LVS_REPORT, list.GetStyle() & LVS_TYPEMASK);
    EXPECT_EQ(CMyListCtrl::kListId, (UINT)list.GetDlgCtrlID());

    m_pView->MoveWindow(0, 0, 640, 300);
    PaintNow(m_pFrame);
    CRect view, rc;
    m_pView->GetClientRect(&view);
    list.GetWindowRect(&rc);
    m_pView->ScreenToClient(&rc);
    EXPECT_EQ(view, rc);
    {
        tesmir::test::CCapture capture(m_pView);
        capture.Canvas().SaveBmp(tesmir::test::ScreenshotPath(L"archive_view_zip.bmp"));
    }

    // Closing the view leaves the shell's list whole.
    int count = ImageList_GetImageCount(system);
    Close();
    EXPECT_EQ(count, ImageList_GetImageCount(system));
    EXPECT_GT(count, 0);
    ASSERT_NE(nullptr, Open(CabinetPath(L"abc.cab")));
    {
        tesmir::test::CCapture capture(m_pView);
        capture.Canvas().SaveBmp(tesmir::test::ScreenshotPath(L"archive_view_cab.bmp"));
    }
}

// Run again with a zone other than UTC (TESMIR_ZONE_RUN, see CMakeLists):
// DOS-dated times keep their stored wall-clock value.
TEST_F(ArchiveViewTest, StoredTimesAreShownUnchangedInAnyZone)
{
    if (getenv("TESMIR_ZONE_RUN")) {
        TIME_ZONE_INFORMATION tzi;
        GetTimeZoneInformation(&tzi);
        ASSERT_NE(0, tzi.Bias) << "the zone run needs a zone other than UTC";
    }
    ASSERT_NE(nullptr, Open(CabinetPath(L"abc.cab")));
    EXPECT_EQ(kCabTime, Cells()[0][3]);
    ASSERT_NE(nullptr, Open(ArchivePath(L"flags.rar")));
    EXPECT_EQ(kRarTime, Cells()[1][3]);
    ASSERT_NE(nullptr, Open(ArchivePath(L"basic.zip")));
    EXPECT_EQ(kZipDosTime, Cells()[2][5]);
}

} // namespace
