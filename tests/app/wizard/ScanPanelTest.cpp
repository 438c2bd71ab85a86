// The scan step's panel on its own: its controls, ids and grid, the
// partition and disk values (inclusive ends never past the disk, unsigned
// sectors), the caption sets of each face and the range inputs per mode.
#include <gtest/gtest.h>

#include "CSecondDisplay.h"
#include "CDiskEnumerator.h"
#include "TestSupport.h"
#include "io/SectorReader.h"
#include "state/EngineState.h"

namespace {

CString Text(CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}

bool Shown(CWnd& wnd) { return (wnd.GetStyle() & WS_VISIBLE) != 0; }

class ScanPanel_ : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                                            (HBRUSH)::GetStockObject(WHITE_BRUSH)),
                                     L"scan panel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 640, NULL, NULL));
        CRect client;
        m_frame.GetClientRect(&client);
        ASSERT_TRUE(m_panel.Create(&m_frame, client, 1));
        // The disk's size comes from the device table alone.
        m_pDisk = GetSectorReaderDisk();
        SetSectorReaderDisk(NULL);
        m_diskIndex = g_DiskIndex;
        m_total = g_DiskTotalSectors[0];
        m_mode = g_ScanMode;
        m_source = g_SourceType;
        m_params = VolumeParams;
        g_DiskIndex = 0;
    }
    void TearDown() override
    {
        SetSectorReaderDisk(m_pDisk);
        g_DiskIndex = m_diskIndex;
        g_DiskTotalSectors[0] = m_total;
        g_ScanMode = m_mode;
        g_SourceType = m_source;
        VolumeParams = m_params;
        m_panel.DestroyWindow();
        m_frame.DestroyWindow();
    }

    CRect RectOf(CWnd& wnd)
    {
        CRect rc;
        wnd.GetWindowRect(&rc);
        m_panel.ScreenToClient(&rc);
        return rc;
    }

    CWnd m_frame;
    CSecondDisplay m_panel;
    CVirtualDisk* m_pDisk = nullptr;
    uint16_t m_diskIndex = 0;
    uint64_t m_total = 0;
    int m_mode = 0;
    uint16_t m_source = 0;
    VolumeParamsRecord m_params = {};
};

// Every control under its id, the first face (partition captions, row 5,
// progress, status, button and hint hidden and disabled), the selector's
// items, digits-only edits, Arial 16 texts and the grid's places.
TEST_F(ScanPanel_, ControlsIdsAndLayout)
{
    struct Control
    {
        int id;
        CWnd* wnd;
    };
    const Control controls[] = {
        {170, &m_panel.m_topText},
        {32812, &m_panel.m_counterCaption[0]},
        {32816, &m_panel.m_counterCaption[4]},
        {32818, &m_panel.m_counterValue[0]},
        {32817, &m_panel.m_counterValue[3]},
        {32821, &m_panel.m_counterValue[4]},
        {32823, &m_panel.m_heading},
        {61458, &m_panel.m_rangeCaption[0]},
        {61460, &m_panel.m_rangeCaption[2]},
        {61461, &m_panel.m_endSector},
        {61462, &m_panel.m_startSector},
        {61463, &m_panel.m_fileSystem},
        {61467, &m_panel.m_capacityChart},
        {61486, &m_panel.m_showHideProgress},
        {61487, &m_panel.m_hint},
        {32825, &m_panel.m_picture},
        {61457, &m_panel.m_progress},
        {170, &m_panel.m_status},
    };
    for (const Control& c : controls)
        EXPECT_EQ(c.id, c.wnd->GetDlgCtrlID()) << c.id;

    const wchar_t* const captions[] = {L"Partition type\t\t:", L"Partition Start\t\t:", L"Partition End\t\t:",
                                       L"Partition Size\t\t:", L""};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(CString(captions[row]), m_panel.CaptionText(row)) << row;
        EXPECT_EQ(CString(L""), m_panel.ValueText(row)) << row;
        EXPECT_EQ(row < 4, Shown(m_panel.m_counterCaption[row])) << row;
        EXPECT_EQ(row < 4, Shown(m_panel.m_counterValue[row])) << row;
    }
    EXPECT_EQ(CString(L"Partition Information"), Text(m_panel.m_heading));
    EXPECT_EQ(CString(L"Select File System\t:"), Text(m_panel.m_rangeCaption[0]));
    EXPECT_EQ(CString(L"Start Sector\t\t:"), Text(m_panel.m_rangeCaption[1]));
    EXPECT_EQ(CString(L"End Sector\t\t:"), Text(m_panel.m_rangeCaption[2]));
    EXPECT_EQ(CString(L"Hide Progress"), Text(m_panel.m_showHideProgress));
    for (CWnd* hidden : {(CWnd*)&m_panel.m_showHideProgress, (CWnd*)&m_panel.m_hint, (CWnd*)&m_panel.m_status,
                         (CWnd*)&m_panel.m_progress, (CWnd*)&m_panel.m_capacityChart}) {
        EXPECT_FALSE(Shown(*hidden)) << hidden->GetDlgCtrlID();
        EXPECT_FALSE(hidden->IsWindowEnabled()) << hidden->GetDlgCtrlID();
    }
    ASSERT_EQ(3, m_panel.m_fileSystem.GetCount());
    const wchar_t* const items[] = {L"NTFS", L"FAT 32", L"FAT 16"};
    for (int i = 0; i < 3; ++i) {
        CString item;
        m_panel.m_fileSystem.GetLBText(i, item);
        EXPECT_EQ(CString(items[i]), item);
    }
    EXPECT_EQ(0, m_panel.m_fileSystem.GetCurSel());
    EXPECT_EQ(FileSystemNtfs, m_panel.SelectedFileSystemCode());

    // Typed text keeps digits only.
    for (CEdit* edit : {&m_panel.m_startSector, &m_panel.m_endSector}) {
        edit->SetWindowText(L"");
        for (wchar_t ch : {L'1', L'a', L'-', L'2', L' '})
            edit->SendMessage(WM_CHAR, ch, 1);
        EXPECT_EQ(CString(L"12"), Text(*edit));
    }

    LOGFONT lf = {};
    ASSERT_NE(nullptr, m_panel.m_counterCaption[0].GetFont());
    m_panel.m_counterCaption[0].GetFont()->GetLogFont(&lf);
    EXPECT_STREQ(L"Arial", lf.lfFaceName);
    EXPECT_EQ(16, lf.lfHeight);
    m_panel.m_progress.GetFont()->GetLogFont(&lf);
    EXPECT_EQ(18, lf.lfHeight);
    EXPECT_EQ(FW_SEMIBOLD, lf.lfWeight);

    CRect client;
    m_panel.GetClientRect(&client);
    const int c = (client.Height() - 345) / 2;
    EXPECT_EQ(CRect(10, 20, client.Width() - 40, 60), RectOf(m_panel.m_topText));
    EXPECT_EQ(CRect(10, 120, 370, 140), RectOf(m_panel.m_counterCaption[0]));
    EXPECT_EQ(CRect(10, 180, 290, 200), RectOf(m_panel.m_counterCaption[3]));
    EXPECT_EQ(CRect(210, 140, 550, 160), RectOf(m_panel.m_counterValue[1]));
    EXPECT_EQ(CRect(210, 200, 550, 220), RectOf(m_panel.m_counterValue[4]));
    EXPECT_EQ(CRect(10, 80, 370, 120), RectOf(m_panel.m_heading));
    EXPECT_EQ(CRect(210, 260, 340, 283), RectOf(m_panel.m_startSector));
    EXPECT_EQ(CRect(210, 290, 340, 313), RectOf(m_panel.m_endSector));
    EXPECT_EQ(CRect(10, 310, 110, 340), RectOf(m_panel.m_showHideProgress));
    EXPECT_EQ(CRect(10, 270, 460, 320), RectOf(m_panel.m_hint));
    EXPECT_EQ(CRect(10, c + 297, 480, c + 315), RectOf(m_panel.m_status));
    EXPECT_EQ(CRect(10, c + 315, 480, c + 333), RectOf(m_panel.m_progress));
    // The values lie over the captions' tails and stay readable.
    m_panel.m_counterValue[0].SetWindowText(L"FAT32");
    m_panel.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    tesmir::test::CDibCanvas canvas(client.Width(), client.Height());
    tesmir::test::CaptureWindow(m_panel.m_hWnd, canvas);
    EXPECT_GT(canvas.Count(CRect(210, 120, 300, 140), RGB(0, 0, 0)), 10);
}

// The partition values: an inclusive end computed in 64 bits and never
// past the disk, sizes in whole megabytes, unsigned sectors from 2^31 on,
// the selector following the type, and row -1 clearing everything.
TEST_F(ScanPanel_, PartitionInfoTable)
{
    struct Case
    {
        const char* name;
        uint16_t code;
        uint32_t start, count;
        uint64_t total;
        const wchar_t* type;
        int selector;   // -1: left as it was
        const wchar_t* startText;
        const wchar_t* endText;
        const wchar_t* size;
    };
    const Case cases[] = {
        {"FAT32 of 4095 sectors", FileSystemFat32, 2048, 4095, 1000000, L"FAT32", 1, L"2048", L"6142",
         L"1 MB (Approx)"},
        {"FAT16 of 2047 sectors", FileSystemFat16, 63, 2047, 1000000, L"FAT16", 2, L"63", L"2109", L"0 MB (Approx)"},
        {"NTFS above 2^31", FileSystemNtfs, 3000000000u, 2048000, 5000000000ull, L"NTFS", 0, L"3000000000",
         L"3002047999", L"1000 MB (Approx)"},
        {"VHDX without a count", FileSystemNtfs, 0, 0, 20971520, L"NTFS", 0, L"0", L"20971519",
         L"10240 MB (Approx)"},
        {"past the disk's end", FileSystemFat32, 1000, 5000, 3000, L"FAT32", 1, L"1000", L"2999", L"2 MB (Approx)"},
        {"near the 32-bit end", FileSystemNtfs, 0xFFFFFF00u, 0x200, 1ull << 33, L"NTFS", 0, L"4294967040",
         L"4294967295", L"0 MB (Approx)"},
        {"unknown code", 7, 10, 10, 1000, L"", -1, L"10", L"19", L"0 MB (Approx)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_DiskTotalSectors[0] = c.total;
        m_panel.m_fileSystem.SetCurSel(1);
        VolumeParams.selectionCode = c.code;
        VolumeParams.startSector = c.start;
        VolumeParams.sectorCount = c.count;
        VolumeParams.endSector = 12345;
        m_panel.ShowPartitionInfo(0, 0);
        EXPECT_EQ(CString(L"Partition End\t\t:"), m_panel.CaptionText(2));
        EXPECT_EQ(CString(c.type), m_panel.ValueText(0));
        EXPECT_EQ(c.selector < 0 ? 1 : c.selector, m_panel.m_fileSystem.GetCurSel());
        EXPECT_EQ(CString(c.startText), m_panel.ValueText(1));
        EXPECT_EQ(CString(c.startText), Text(m_panel.m_startSector));
        EXPECT_EQ(CString(c.endText), m_panel.ValueText(2));
        EXPECT_EQ(CString(c.endText), Text(m_panel.m_endSector));
        EXPECT_EQ(CString(c.size), m_panel.ValueText(3));
        EXPECT_EQ(wcstoul(c.endText, NULL, 10), VolumeParams.endSector);
        EXPECT_GE(VolumeParams.endSector, VolumeParams.startSector);
    }
    m_panel.ShowPartitionInfo(0, -1);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(CString(L""), m_panel.ValueText(row)) << row;
    EXPECT_EQ(CString(L""), Text(m_panel.m_startSector));
    EXPECT_EQ(CString(L""), Text(m_panel.m_endSector));
    EXPECT_EQ(CString(L"Partition type\t\t:"), m_panel.CaptionText(0));
}

// The whole disk as the Extensive Scan's range: its last sector is the
// inclusive end, the count all its sectors, never a wrapped 32-bit value.
TEST_F(ScanPanel_, WholeDiskRange)
{
    struct Case
    {
        uint64_t total;
        uint32_t count, end;
        const wchar_t* size;
    };
    const Case cases[] = {
        {20971520, 20971520, 20971519, L"10240 MB ( Aprox )"},
        {499712, 499712, 499711, L"244 MB ( Aprox )"},
        {1ull << 33, 0xFFFFFFFFu, 0xFFFFFFFEu, L"2097151 MB ( Aprox )"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        g_DiskTotalSectors[0] = c.total;
        VolumeParams.selectionCode = FileSystemFat16;
        SelectWholeDiskRange();
        EXPECT_EQ(FileSystemNtfs, VolumeParams.selectionCode);
        EXPECT_EQ(0u, VolumeParams.startSector);
        EXPECT_EQ(0u, VolumeParams.partitionIndex);
        EXPECT_EQ(c.count, VolumeParams.sectorCount);
        EXPECT_EQ(c.end, VolumeParams.endSector);
        EXPECT_EQ(VolumeParams.endSector - VolumeParams.startSector + 1, VolumeParams.sectorCount);
        m_panel.ShowDiskRange();
        EXPECT_EQ(CString(L"NTFS"), m_panel.ValueText(0));
        EXPECT_EQ(CString(L"0"), Text(m_panel.m_startSector));
        EXPECT_EQ(CString(std::to_wstring(c.end).c_str()), Text(m_panel.m_endSector));
        EXPECT_EQ(CString(std::to_wstring(c.end).c_str()), m_panel.ValueText(2));
        EXPECT_EQ(CString(c.size), m_panel.ValueText(3));
    }
    // An end asked for past the disk, or past 32 bits, is cut.
    g_DiskTotalSectors[0] = 1000;
    EXPECT_EQ(999u, RangeEndSector(100, 0));
    EXPECT_EQ(999u, RangeEndSector(100, 2000));
    EXPECT_EQ(199u, RangeEndSector(100, 100));
    g_DiskTotalSectors[0] = 1ull << 33;
    EXPECT_EQ(0xFFFFFFFFu, RangeEndSector(0xFFFFFF00u, 0x200));
}

// The caption sets of the scanning face and the range inputs per mode and
// source.
TEST_F(ScanPanel_, CaptionSetsAndRangeInputs)
{
    m_panel.m_startSector.SetWindowText(L"5");
    m_panel.m_counterValue[2].SetWindowText(L"77");
    m_panel.ShowNtfsSearchCaptions();
    const wchar_t* const ntfs[] = {L"Boot Sector(s) Found\t   :", L"Index Entries Found\t   :",
                                   L"File(s) Found\t\t   :", L"Folder(s) Found\t\t   :", L"Current Sector\t\t   :"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(CString(ntfs[row]), m_panel.CaptionText(row)) << row;
        EXPECT_TRUE(Shown(m_panel.m_counterCaption[row])) << row;
        EXPECT_TRUE(Shown(m_panel.m_counterValue[row])) << row;
    }
    m_panel.m_counterValue[4].SetWindowText(L"9");
    m_panel.ShowFatSearchCaptions();
    const wchar_t* const fat[] = {L"Boot Sector(s) Found\t\t:", L"Folder(s) Found\t\t\t:", L"Current Sector\t\t\t:",
                                  L"", L""};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(CString(fat[row]), m_panel.CaptionText(row)) << row;
        EXPECT_EQ(CString(L""), m_panel.ValueText(row)) << row;
    }
    m_panel.m_counterValue[1].SetWindowText(L"3");
    m_panel.ResetCounters();
    const wchar_t* const quick[] = {L"Folder(s) Found  :", L"File(s) Found    :", L"Current Sector    :",
                                    L"Last File/Folder   :", L""};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(CString(quick[row]), m_panel.CaptionText(row)) << row;
        EXPECT_EQ(CString(L""), m_panel.ValueText(row)) << row;
    }
    EXPECT_EQ(CString(L""), Text(m_panel.m_startSector));
    m_panel.ShowNtfsSearchCaptions();
    m_panel.ClearPartitionInfo();
    EXPECT_EQ(CString(L"Partition Size\t\t:"), m_panel.CaptionText(3));
    // The selection face has four rows: the NTFS search's fifth goes.
    EXPECT_FALSE(Shown(m_panel.m_counterCaption[4]));
    EXPECT_FALSE(Shown(m_panel.m_counterValue[4]));
    EXPECT_EQ(CString(L""), m_panel.CaptionText(4));

    CWnd* const fileSystem[] = {&m_panel.m_rangeCaption[0], &m_panel.m_fileSystem};
    CWnd* const sectors[] = {&m_panel.m_rangeCaption[1], &m_panel.m_rangeCaption[2], &m_panel.m_startSector,
                             &m_panel.m_endSector};
    auto expect = [&](bool fsShown, bool sectorsShown, bool sectorsEnabled) {
        for (CWnd* w : fileSystem) {
            EXPECT_EQ(fsShown, Shown(*w)) << w->GetDlgCtrlID();
            EXPECT_EQ(fsShown, w->IsWindowEnabled() != FALSE) << w->GetDlgCtrlID();
        }
        for (CWnd* w : sectors) {
            EXPECT_EQ(sectorsShown, Shown(*w)) << w->GetDlgCtrlID();
            EXPECT_EQ(sectorsEnabled, w->IsWindowEnabled() != FALSE) << w->GetDlgCtrlID();
        }
    };
    m_panel.HideRangeInputs();
    expect(false, false, false);
    g_ScanMode = ScanModeQuick;
    m_panel.ShowRangeInputs();
    expect(false, false, false);
    g_ScanMode = ScanModeExtensive;
    g_SourceType = SourceVirtualDisk;
    m_panel.ShowRangeInputs();
    expect(true, true, true);
    m_panel.ShowFileSystemChoiceOnly();
    expect(true, false, false);
    g_SourceType = SourceLogicalVolume;
    m_panel.ShowRangeInputs();
    expect(true, true, false);
    m_panel.HideRangeInputs();
    expect(false, false, false);

    // The scanning face's button and hint.
    m_panel.ShowProgressToggle(TRUE);
    EXPECT_TRUE(Shown(m_panel.m_showHideProgress) && m_panel.m_showHideProgress.IsWindowEnabled());
    EXPECT_TRUE(Shown(m_panel.m_hint));
    m_panel.ShowProgressToggle(FALSE);
    EXPECT_FALSE(Shown(m_panel.m_showHideProgress) || m_panel.m_showHideProgress.IsWindowEnabled());
}

}  // namespace
