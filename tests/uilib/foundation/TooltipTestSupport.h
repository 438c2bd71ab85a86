// A tooltip owner on a real top-level window for the tooltip suites: a child
// window whose OnToolHitTest answers from a table of tools, the cursor put
// on a tool and the move handed to the service, and a log of what reaches
// the common-controls tip window.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "CVZPTooltipService.h"
#include "TestSupport.h"

#include <string>
#include <vector>

namespace vzfoundation_test {

struct CScriptedTool
{
    CRect rect;                 // owner client coordinates
    UINT_PTR nId;
    const wchar_t* pszText;     // LPSTR_TEXTCALLBACK: a callback tool
    const wchar_t* pszTitle;
    const wchar_t* pszDescription;
    UINT uFlags;
};

// The owner: hit-tests its tools and fills the tool info through
// CVZPTooltipService::FillToolInfo; the strings it hands out are tracked by
// the free counter when one is set.
class CToolOwnerWnd : public CWnd
{
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    std::vector<CScriptedTool> m_tools;
    tesmir::test::CFreeCounter* m_pFrees = NULL;
    mutable std::vector<void*> m_handedOut;
    mutable std::vector<UINT> m_infoSizes;   // cbSize of every hit test
};

// The owner's top-level window: answers TTN_GETDISPINFOW with m_strCallbackText.
class CToolFrameWnd : public CWnd
{
public:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    std::wstring m_strCallbackText = L"from the owner";
    std::vector<NMHDR> m_requests;
};

// A child that hands its tips to its parent (answers WM_VZPTIPSBYPARENT).
class CTipsByParentWnd : public CWnd
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// What reaches a common-controls tooltip of this thread.
struct CTipMessage
{
    UINT message;
    WPARAM wParam;
    bool bNullText;
    std::wstring strText;       // TTM_SETTITLEW's title, a TOOLINFO's text
    UINT cbSize;                // TOOLINFO messages
    UINT uFlags;
    UINT_PTR uId;
};

class CTipMessageLog
{
public:
    CTipMessageLog();
    int Count(UINT message) const;
    const CTipMessage* Last(UINT message) const;
    std::vector<CTipMessage> m_messages;

private:
    tesmir::test::CSentMessageHook m_hook;
};

class TooltipFixture : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the frame the foreground window (FALSE: another window).
    void Activate(bool bFrame);
    // The tool's centre (or an offset from its top-left), in owner client
    // coordinates.
    CPoint Centre(size_t nTool) const { return m_owner.m_tools[nTool].rect.CenterPoint(); }
    // Puts the cursor on the owner's client point (PlaceCursor) and hands the
    // move to the service.
    void MoveTo(CVZPTooltipService& service, CPoint ptClient, UINT message = WM_MOUSEMOVE);
    // Puts the cursor on a screen point and waits until it stays there.
    // Under X the system may answer a move with a late one back to the
    // pointer's previous place (and the cursor stays there); the cursor
    // counts as placed once it has read the point for 250 ms, which is past
    // the time after which the system asks the display for the pointer
    // instead of its own last value.
    static bool PlaceCursor(CPoint ptScreen);
    // Hands a message of the owner to the service, the cursor where it is.
    void Send(CVZPTooltipService& service, UINT message);

    CToolFrameWnd m_frame;
    CToolOwnerWnd m_owner;
    CWnd m_other;                // a second top-level window, for activation
};

}  // namespace vzfoundation_test
