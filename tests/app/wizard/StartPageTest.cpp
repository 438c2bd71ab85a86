// The start page: Wine's file dialog behind "Select", the three modes with
// the image opened through the frame's virtual disk, the device tree they
// lead to, and the messages of every way an image is refused.
#include <gtest/gtest.h>

#include "CDiskEnumerator.h"
#include "CHoverButton.h"
#include "CMainFrame.h"
#include "MessageRecorder.h"
#include "ModalDriver.h"
#include "TestSupport.h"
#include "WizardTestSupport.h"
#include "image/VirtualDisk.h"
#include "resource.h"
#include "state/EngineState.h"

#include <commctrl.h>

using msgbox_test::CModalDriver;
using tesmir::test::FixturePath;
using tesmir::test::PumpUntil;

namespace {

class StartPage_ : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, StartedFrame());
        ResetWizard();
        StartPage()->m_path.SetWindowText(L"");
    }
    void TearDown() override { ResetWizard(); }
};

// The file name field of Wine's open dialog: the combo box of the explorer
// style when it has one, else the plain edit.
HWND FileNameField(HWND box)
{
    if (HWND combo = ::GetDlgItem(box, 0x47C))
        if (::IsWindowVisible(combo))
            return combo;
    return ::GetDlgItem(box, 0x480);
}

// "Select" opens Wine's dialog with the title and filter; choosing the
// mixed disk's VHD there puts its path into the edit, and Quick Scan leads
// to the drive step with the disk selected.
TEST_F(StartPage_, SelectChoosesTheImageInWinesDialogAndQuickScanShowsTheDisk)
{
    const std::wstring path = FixturePath(L"mixed-dynamic.vhd");
    std::wstring title, children;
    CModalDriver driver({
        CModalDriver::Run([&](HWND box) { title = CModalDriver::Caption(box); }),
        [&](HWND box) {
            HWND edit = FileNameField(box);
            if (!edit) {
                for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
                    wchar_t cls[32] = L"";
                    ::GetClassNameW(c, cls, 32);
                    children += std::to_wstring(::GetDlgCtrlID(c)) + L":" + cls + L" ";
                }
                return false;
            }
            ::SetWindowTextW(edit, path.c_str());
            return true;
        },
        CModalDriver::Wait(300),
        CModalDriver::Run([&](HWND box) {
            wchar_t text[MAX_PATH] = L"";
            ::GetWindowTextW(FileNameField(box), text, MAX_PATH);
            children = L"field " + std::to_wstring(::GetDlgCtrlID(FileNameField(box))) + L": " + text;
        }),
        CModalDriver::Click(IDOK),
    });
    StartPage()->SendMessage(WM_COMMAND, MAKEWPARAM(CEx_StyleView::IdSelectImage, BN_CLICKED), 0);
    EXPECT_TRUE(driver.Finished());
    EXPECT_FALSE(driver.TimedOut()) << tesmir::test::Utf8(children);
    EXPECT_EQ(L"Add VHD or VHDX file to recover.", title);
    CString shown;
    StartPage()->m_path.GetWindowText(shown);
    EXPECT_EQ(CString(path.c_str()), shown);
    EXPECT_EQ(CString(L"vhd"), StartPage()->m_strImageExt);
    EXPECT_EQ(CString(L"mixed-dynamic.vhd"), StartPage()->m_strImageFileName);

    CMessageRecorder messages;
    StartPage()->SendMessage(WM_COMMAND, MAKEWPARAM(CEx_StyleView::IdQuickScan, BN_CLICKED), 0);
    EXPECT_TRUE(messages.messages().empty());
    ASSERT_EQ(WizardDriveStep, App().CurrentViewIndex());
    CMainFrame* pFrame = App().GetMainFrame();
    EXPECT_FALSE(pFrame->m_bOpenEnabled);
    EXPECT_TRUE(pFrame->m_bSnapshotLoadEnabled);
    EXPECT_EQ(ScanModeQuick, g_ScanMode);
    EXPECT_EQ(L"Quick Scan", g_ModeName);
    EXPECT_EQ(0, g_ImageType);
    EXPECT_EQ(0, g_nHoverButtonIndex);

    CDeviceTreeCtrl& tree = DriveStep()->m_tree;
    ASSERT_EQ(std::vector<std::wstring>{L"My Computer"}, ChildTexts(tree, TVI_ROOT));
    HTREEITEM computer = tree.GetRootItem();
    ASSERT_EQ(std::vector<std::wstring>{L"Physical Devices"}, ChildTexts(tree, computer));
    HTREEITEM devices = tree.GetChildItem(computer);
    ASSERT_EQ(std::vector<std::wstring>{L"Virtual Hard Disk 0 "}, ChildTexts(tree, devices));
    HTREEITEM disk = tree.GetChildItem(devices);
    EXPECT_EQ(disk, tree.GetSelectedItem());
    EXPECT_EQ(1, pFrame->m_nSelectedRow);
    EXPECT_EQ(CString(L"Virtual Hard Disk 0 "), pFrame->m_strSelectedItem);
    EXPECT_EQ(0, g_DiskIndex);
    EXPECT_EQ(SourceVirtualDisk, g_SourceType);
    EXPECT_EQ(L"\\\\.\\PhysicalDrive0", g_DevicePath);
    EXPECT_EQ(CString(L"Selected Mode  : Quick Scan \r\nDrive Type         : Virtual Hard Disk"), g_ModeText);
    // "My Computer" and "Physical Devices" bold, the disk in normal weight.
    EXPECT_TRUE(tree.GetItemState(computer, TVIS_BOLD) & TVIS_BOLD);
    EXPECT_TRUE(tree.GetItemState(devices, TVIS_BOLD) & TVIS_BOLD);
    EXPECT_FALSE(tree.GetItemState(disk, TVIS_BOLD) & TVIS_BOLD);

    // The pie: one slice per FAT or NTFS partition of mmls, sized from the
    // disk's sectors, and what they leave as FREE.
    const std::vector<MmlsPartition> parts = FileSystemPartitions(L"mixed.mmls");
    ASSERT_EQ(4u, parts.size());
    CPieChart& pie = DriveStep()->m_pPanel->m_pie;
    ASSERT_EQ((INT_PTR)parts.size() + 1, pie.GetSliceCount());
    const uint64_t total = g_DiskTotalSectors[0];
    // The image's own size (qemu rounds a VHD up to its geometry).
    EXPECT_EQ(App().GetMainFrame()->m_pVirtualDisk->GetSectorCount(), total);
    EXPECT_GE(total, 499712u);
    int sum = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        const int percent = (int)(parts[i].length * 100 / total);
        EXPECT_EQ(percent, pie.GetSlice(i)->m_nPercent) << i;
        const CString kind = pie.GetSlice(i)->m_strDescription;
        EXPECT_NE(std::wstring::npos, parts[i].description.find((LPCTSTR)kind)) << i;
        sum += percent;
    }
    EXPECT_EQ(CString(L"FREE"), pie.GetSlice(parts.size())->m_strDescription);
    EXPECT_EQ(100 - sum, pie.GetSlice(parts.size())->m_nPercent);
}

// Cancel in the dialog changes nothing; Open on the frame runs the same
// dialog.
TEST_F(StartPage_, FrameOpenCommandRunsTheImageDialog)
{
    StartPage()->m_path.SetWindowText(L"kept");
    std::wstring title;
    CModalDriver driver({
        CModalDriver::Run([&](HWND box) { title = CModalDriver::Caption(box); }),
        CModalDriver::Click(IDCANCEL),
    });
    App().GetMainFrame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_RECOVERY_OPEN, 0), 0);
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(L"Add VHD or VHDX file to recover.", title);
    CString shown;
    StartPage()->m_path.GetWindowText(shown);
    EXPECT_EQ(CString(L"kept"), shown);
}

// ./run starts the program in the fixtures folder: the image dialog opens
// there and lists the sample disk (the dialog's own list view, found by its
// class under the shell view).
TEST_F(StartPage_, DialogOpensInTheWorkingFolderAndListsTheSample)
{
    ASSERT_TRUE(tesmir::test::FixtureExists(L"sample.vhd"));
    wchar_t before[MAX_PATH] = L"";
    ::GetCurrentDirectoryW(MAX_PATH, before);
    std::wstring folder = FixturePath(L"sample.vhd");
    folder.resize(folder.find_last_of(L"\\/"));
    ASSERT_TRUE(::SetCurrentDirectoryW(folder.c_str()));
    bool listed = false;
    std::wstring seen;
    CModalDriver driver({
        [&](HWND box) {
            HWND view = ::FindWindowExW(box, NULL, L"SHELLDLL_DefView", NULL);
            HWND list = view ? ::FindWindowExW(view, NULL, L"SysListView32", NULL) : NULL;
            seen.clear();
            for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
                wchar_t cls[64] = L"";
                ::GetClassNameW(c, cls, 64);
                seen += cls + std::wstring(L" ");
            }
            if (!list)
                return false;
            const int count = (int)::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
            for (int i = 0; i < count && !listed; i++) {
                wchar_t text[MAX_PATH] = L"";
                LVITEMW item = {};
                item.iSubItem = 0;
                item.pszText = text;
                item.cchTextMax = MAX_PATH;
                ::SendMessageW(list, LVM_GETITEMTEXTW, i, (LPARAM)&item);
                // The shell may hide known extensions.
                seen += std::wstring(L"[") + text + L"]";
                listed = _wcsicmp(text, L"sample.vhd") == 0 || _wcsicmp(text, L"sample") == 0;
            }
            return listed;
        },
        CModalDriver::Click(IDCANCEL),
    });
    StartPage()->SendMessage(WM_COMMAND, MAKEWPARAM(CEx_StyleView::IdSelectImage, BN_CLICKED), 0);
    ::SetCurrentDirectoryW(before);
    EXPECT_TRUE(driver.Finished());
    EXPECT_TRUE(listed) << "sample.vhd is not listed in " << tesmir::test::Utf8(folder) << ": " << tesmir::test::Utf8(seen);
}

// Every way an image is refused: the text and kind of the message, the
// wizard staying on the start page, and the path edit emptied when the
// image itself could not be opened.
TEST_F(StartPage_, RefusedImagesGiveTheirMessagesAndStayOnTheStartPage)
{
    CTempFile vhd(L"not-an-image.vhd", std::string(64 * 1024, 'x'));
    CTempFile vhdx(L"not-an-image.vhdx", std::string(64 * 1024, 'x'));
    const std::wstring missing = FixturePath(L"no-such-image.vhd");
    struct Case
    {
        std::wstring path;
        UINT mode;
        std::wstring text;
        int kind;
        bool emptied;
    };
    const std::wstring vhdQuick = L"This VHD file is either not readable using Quick Scan or highly corrupted. Please "
                                  L"select extensive scan to recover.";
    const std::wstring vhdxQuick = L"This VHDX file is either not readable using Quick Scan or highly corrupted. "
                                   L"Please select extensive scan to recover.";
    const std::wstring vhdOther =
        L"This VHD file is highly corrupted or Invalid file type. Please select other file to recover.";
    const std::wstring vhdxOther =
        L"This VHDX file is highly corrupted or Invalid file type. Please select other file to recover.";
    const Case cases[] = {
        {L"", CEx_StyleView::IdQuickScan, L"\nPlease Select VHD/VHDX file...", 1, false},
        {L"   ", CEx_StyleView::IdExtensiveScan, L"\nPlease Select VHD/VHDX file...", 1, false},
        {missing, CEx_StyleView::IdFileTrace, missing + L" file does not exists.", 3, false},
        {vhd.path(), CEx_StyleView::IdQuickScan, vhdQuick, 2, true},
        {vhd.path(), CEx_StyleView::IdExtensiveScan, vhdOther, 2, true},
        {vhd.path(), CEx_StyleView::IdFileTrace, vhdOther, 2, true},
        {vhdx.path(), CEx_StyleView::IdQuickScan, vhdxQuick, 2, true},
        {vhdx.path(), CEx_StyleView::IdExtensiveScan, vhdxOther, 2, true},
        {vhdx.path(), CEx_StyleView::IdFileTrace, vhdxOther, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(tesmir::test::Utf8(c.path) + " mode " + std::to_string(c.mode));
        CMessageRecorder messages;
        RunMode(c.path, c.mode);
        ASSERT_EQ(1u, messages.messages().size());
        EXPECT_EQ(c.text, messages.messages()[0].text);
        EXPECT_EQ(c.kind, messages.messages()[0].kind);
        EXPECT_EQ(WizardStartPage, App().CurrentViewIndex());
        CString shown;
        StartPage()->m_path.GetWindowText(shown);
        // The open-failure message clears the Quick Scan request.
        if (c.emptied) {
            EXPECT_TRUE(shown.IsEmpty());
            EXPECT_FALSE(StartPage()->m_bQuickScanRequest);
        }
        EXPECT_TRUE(App().GetMainFrame()->m_bOpenEnabled);
    }
}

// The reader comes from the path opened, whatever the letter case.
TEST_F(StartPage_, UpperCaseExtensionOpensWithTheRightReader)
{
    CTempImage upper(L"mixed-dynamic.vhd", L"DISK.VHD");
    ASSERT_TRUE(upper.ok());
    CMessageRecorder messages;
    RunMode(upper.path(), CEx_StyleView::IdExtensiveScan);
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(WizardDriveStep, App().CurrentViewIndex());
    EXPECT_EQ(0, g_ImageType);
    EXPECT_EQ(ImageKindVhd, App().GetMainFrame()->m_pVirtualDisk->GetKind());
    ResetWizard();

    CTempImage upperX(L"mixed-dynamic.vhdx", L"DISK.VHDX");
    ASSERT_TRUE(upperX.ok());
    RunMode(upperX.path(), CEx_StyleView::IdQuickScan);
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(WizardDriveStep, App().CurrentViewIndex());
    EXPECT_EQ(1, g_ImageType);
    EXPECT_EQ(ImageKindVhdx, App().GetMainFrame()->m_pVirtualDisk->GetKind());
}

// A mode chosen again for the image that is open keeps the tree's items;
// a reopen that fails empties the edit and tells the user.
TEST_F(StartPage_, ModeAgainForTheOpenImageKeepsTheTree)
{
    CTempImage image(L"mixed-dynamic.vhd", L"again.vhd");
    ASSERT_TRUE(image.ok());
    CMessageRecorder messages;
    RunMode(image.path(), CEx_StyleView::IdQuickScan);
    ASSERT_EQ(WizardDriveStep, App().CurrentViewIndex());
    CDeviceTreeCtrl& tree = DriveStep()->m_tree;
    HTREEITEM computer = tree.GetRootItem();
    ResetWizard();
    RunMode(image.path(), CEx_StyleView::IdExtensiveScan);
    ASSERT_EQ(WizardDriveStep, App().CurrentViewIndex());
    EXPECT_EQ(computer, tree.GetRootItem());
    EXPECT_EQ(3u, tree.GetCount());
    EXPECT_EQ(CString(L"Selected Mode : Extensive Scan \r\nDrive Type        : Virtual Hard Disk"), g_ModeText);
    EXPECT_TRUE(messages.messages().empty());
    ResetWizard();

    // The open image is gone: the reopen fails like a new path.
    App().GetMainFrame()->m_pVirtualDisk->Close();
    ASSERT_TRUE(::DeleteFileW(image.path().c_str()));
    RunMode(image.path(), CEx_StyleView::IdQuickScan);
    ASSERT_EQ(1u, messages.messages().size());
    EXPECT_EQ(3, messages.messages()[0].kind);
    EXPECT_EQ(WizardStartPage, App().CurrentViewIndex());
}

// Hovering a mode button shows its description in the page's line under
// the buttons; leaving it brings back the prompt. The hover and leave come
// as the button gets them from its mouse tracking (Wine delivers tracked
// hovers unreliably under load). Screenshots of the start page are kept.
TEST_F(StartPage_, HoverShowsTheModeDescription)
{
    CMainFrame* pFrame = App().GetMainFrame();
    pFrame->SetForegroundWindow();
    CRect client;
    StartPage()->GetClientRect(&client);
    CPoint outside(client.left + 10, client.bottom - 10);
    StartPage()->ClientToScreen(&outside);
    ASSERT_TRUE(tesmir::test::PlaceCursorByInput(outside.x, outside.y));
    CHoverButton& button = StartPage()->m_extensiveScan;
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(0, g_nHoverButtonIndex);
    SaveFrameScreenshot(L"wizard-start-page");

    // The description line: centred under the buttons, in the accent colour
    // while a mode is hovered.
    const int X = client.Width() / 2, Y = client.Height() / 2;
    const CRect line(X - 380, Y + 136, X + 360, Y + 166);
    auto accentPixels = [&] {
        StartPage()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        tesmir::test::CDibCanvas canvas(client.Width(), client.Height());
        tesmir::test::CaptureWindow(StartPage()->m_hWnd, canvas);
        return canvas.Count(line, RGB(29, 117, 189));
    };
    EXPECT_EQ(0, accentPixels());

    button.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(3, g_nHoverButtonIndex);
    EXPECT_TRUE(button.IsHover());
    CRect update;
    EXPECT_TRUE(StartPage()->GetUpdateRect(&update));
    EXPECT_GT(accentPixels(), 50);
    SaveFrameScreenshot(L"wizard-start-page-hover");

    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(0, g_nHoverButtonIndex);
    EXPECT_EQ(0, accentPixels());
}

}  // namespace
