// The docking pane manager and the task panel as a main frame holds them:
// constructed and destroyed without windows, leaving no GDI object, DC,
// image list, icon or OLE initialisation behind.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "CVZPDockingPaneDragContext.h"
#include "CVZPDockingPaneManager.h"
#include "CVZPDockingPanePaintManager.h"
#include "CVZPTaskPanel.h"
#include "CVZPTaskPanelPaintManager.h"

namespace {

struct FrameRunResult
{
    AFX_GDI_COUNTS before = {};
    AFX_GDI_COUNTS after = {};
    int nFoundPanes = 0;
    int nIconsHeld = 0;        // expand icons valid while their panel lived
    int nIconsLeft = 0;        // of those, still valid after the panel went
    HRESULT hrOleAfter = E_FAIL;
};

BOOL IsIcon(HICON hIcon)
{
    ICONINFO info = {};
    if (hIcon == NULL || !::GetIconInfo(hIcon, &info))
        return FALSE;
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return TRUE;
}

// One construction and destruction as CMainFrame's members have it.
void ConstructFrameMembers(FrameRunResult* pResult)
{
    CVZPDockingPaneManager* pManager = new CVZPDockingPaneManager;
    CVZPTaskPanel* pPanel = new CVZPTaskPanel;
    if (pManager->FindPane(4001) != NULL)
        pResult->nFoundPanes++;
    pManager->ClosePane(pManager->FindPane(4001));

    HICON hIcons[2] = { pPanel->GetPaintManager()->m_hExpandIcon, pPanel->GetPaintManager()->m_hExpandIconSpecial };
    delete pPanel;
    delete pManager;
    for (HICON hIcon : hIcons)
    {
        // The handle is tested before anything else can reuse it.
        if (hIcon != NULL)
        {
            pResult->nIconsHeld++;
            if (IsIcon(hIcon))
                pResult->nIconsLeft++;
        }
    }
}

DWORD WINAPI FrameMembersThread(LPVOID pParam)
{
    FrameRunResult* pResult = static_cast<FrameRunResult*>(pParam);
    pResult->before = AfxGetGdiCounts();
    for (int i = 0; i < 100; i++)
        ConstructFrameMembers(pResult);
    CWnd::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    pResult->after = AfxGetGdiCounts();
    // Balanced calls leave the thread without OLE: this is a first
    // initialisation.
    pResult->hrOleAfter = ::OleInitialize(NULL);
    if (SUCCEEDED(pResult->hrOleAfter))
        ::OleUninitialize();
    return 0;
}

}  // namespace

TEST(FrameMembers, HundredConstructionsLeaveNothingBehind)
{
    // Process-wide services (colour manager, loaders) are made on first use.
    FrameRunResult warmUp;
    ConstructFrameMembers(&warmUp);

    FrameRunResult result;
    HANDLE hThread = ::CreateThread(NULL, 0, FrameMembersThread, &result, 0, NULL);
    ASSERT_NE(nullptr, hThread);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 600000));
    ::CloseHandle(hThread);

    EXPECT_EQ(result.before.nObjects, result.after.nObjects);
    EXPECT_EQ(result.before.nDCs, result.after.nDCs);
    EXPECT_EQ(result.before.nImageLists, result.after.nImageLists);
    EXPECT_EQ(0, result.nFoundPanes);
    EXPECT_EQ(200, result.nIconsHeld);   // the tinted icons of the default theme
    EXPECT_EQ(0, result.nIconsLeft);
    EXPECT_EQ(S_OK, result.hrOleAfter);
}

TEST(FrameMembers, ManagerAsConstructed)
{
    CVZPDockingPaneManager manager;
    EXPECT_EQ(NULL, manager.GetSafeHwnd());
    EXPECT_EQ(NULL, manager.GetLayout());
    EXPECT_EQ(22, manager.m_nSplitterMinimum);
    EXPECT_TRUE(manager.m_bGroupAutoHide);
    EXPECT_TRUE(manager.m_bOutlineSplitterDrag);
    EXPECT_TRUE(manager.m_bSyncFloatingFrames);
    EXPECT_EQ(0, manager.GetStickerStyle());
    ASSERT_NE(nullptr, manager.GetPaintManager());
    EXPECT_EQ(0, manager.GetPaintManager()->m_nTheme);
    ASSERT_NE(nullptr, manager.GetImageManager());
    ASSERT_NE(nullptr, manager.GetDragContext());
    EXPECT_NE(nullptr, manager.GetTooltipService());
    CVZPDockingPaneDragContext* pDrag = manager.GetDragContext();
    EXPECT_EQ(&manager, pDrag->GetManager());
    EXPECT_EQ(NULL, pDrag->m_wndPreview.GetSafeHwnd());
    EXPECT_EQ(NULL, pDrag->m_wndTabPreview.GetSafeHwnd());
    EXPECT_EQ(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetLayeredWindowAttributes")),
              reinterpret_cast<void*>(pDrag->m_pfnSetLayeredWindowAttributes));
    EXPECT_NE(nullptr, pDrag->m_pfnSetLayeredWindowAttributes);
    EXPECT_EQ(17u, pDrag->m_mapRegionCache.GetHashTableSize());
    EXPECT_TRUE(pDrag->m_bCanFloat);

    manager.RefreshPaneFrames();   // no window: nothing to do
    manager.ClosePane(NULL);
    EXPECT_EQ(NULL, manager.FindPane(4001));
}

namespace {

DWORD WINAPI MultithreadedApartmentThread(LPVOID pParam)
{
    HRESULT* phrAfter = static_cast<HRESULT*>(pParam);
    if (FAILED(::CoInitializeEx(NULL, COINIT_MULTITHREADED)))
        return 1;
    {
        // OLE refuses a thread of the multithreaded apartment; the members
        // must not undo the thread's own COM initialisation.
        CVZPDockingPaneManager manager;
        CVZPTaskPanel panel;
    }
    *phrAfter = ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
    if (SUCCEEDED(*phrAfter))
        ::CoUninitialize();
    ::CoUninitialize();
    return 0;
}

}  // namespace

TEST(FrameMembers, ThreadInAnotherApartmentKeepsItsComInitialisation)
{
    HRESULT hrAfter = E_FAIL;
    HANDLE hThread = ::CreateThread(NULL, 0, MultithreadedApartmentThread, &hrAfter, 0, NULL);
    ASSERT_NE(nullptr, hThread);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 60000));
    DWORD dwExit = 1;
    ::GetExitCodeThread(hThread, &dwExit);
    ::CloseHandle(hThread);
    ASSERT_EQ(0u, dwExit);
    EXPECT_EQ(S_FALSE, hrAfter);   // still initialised
}
