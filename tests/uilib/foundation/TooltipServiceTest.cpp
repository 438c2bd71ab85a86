// The tooltip service over a real common-controls tooltip (kinds 0 and 1):
// which tools, titles and texts reach the tip window, when it is activated,
// when it hides, when it is replaced, and that every string the hit test
// hands over is freed once.
#include "TooltipTestSupport.h"

using namespace vzfoundation_test;
using tesmir::test::CFreeCounter;

namespace {

// A service whose common-controls version a test chooses.
class CVersionedService : public CVZPTooltipService
{
public:
    explicit CVersionedService(DWORD dwVersion) { m_dwComCtlVersion = dwVersion; }
};

class TooltipService : public TooltipFixture
{
protected:
    HWND Tip(const CVZPTooltipService& service) const
    {
        return service.GetTipWindow() != NULL ? service.GetTipWindow()->m_hWnd : NULL;
    }
};

}  // namespace

TEST_F(TooltipService, TitleAndDescriptionReachTheTipAndEveryCopyIsFreed)
{
    m_owner.m_tools[0] = {CRect(10, 10, 110, 60), 1, L"first tool", L"Title", L"Description", TTF_NOTBUTTON};
    CFreeCounter frees;
    m_owner.m_pFrees = &frees;
    CVZPTooltipService service;
    service.SetShowTitleAndDescription(TRUE);
    CTipMessageLog log;

    MoveTo(service, Centre(0));
    ASSERT_NE((HWND)NULL, Tip(service));
    EXPECT_EQ(TTTOOLINFOW_V2_SIZE, m_owner.m_infoSizes.back());
    ASSERT_EQ(1, log.Count(TTM_ADDTOOLW));
    const CTipMessage* pAdd = log.Last(TTM_ADDTOOLW);
    EXPECT_EQ(TTTOOLINFOW_V2_SIZE, pAdd->cbSize);
    EXPECT_EQ(1u, pAdd->uId);
    EXPECT_EQ(0u, pAdd->uFlags);   // the library's flags stay with the service
    EXPECT_EQ(L"first tool", pAdd->strText);
    ASSERT_NE(nullptr, log.Last(TTM_SETTITLEW));
    EXPECT_EQ((WPARAM)TTI_INFO, log.Last(TTM_SETTITLEW)->wParam);
    EXPECT_EQ(L"Title", log.Last(TTM_SETTITLEW)->strText);
    ASSERT_NE(nullptr, log.Last(TTM_UPDATETIPTEXTW));
    EXPECT_EQ(L"Description", log.Last(TTM_UPDATETIPTEXTW)->strText);
    ASSERT_NE(nullptr, log.Last(TTM_ACTIVATE));
    EXPECT_EQ((WPARAM)TRUE, log.Last(TTM_ACTIVATE)->wParam);

    // Moves over the same tool add nothing; the next tool replaces it, and
    // without both strings its title is cleared.
    MoveTo(service, Centre(0) + CPoint(5, 5));
    EXPECT_EQ(1, log.Count(TTM_ADDTOOLW));
    MoveTo(service, Centre(1));
    EXPECT_EQ(2, log.Count(TTM_ADDTOOLW));
    EXPECT_EQ(1, log.Count(TTM_DELTOOLW));
    EXPECT_EQ(1u, log.Last(TTM_DELTOOLW)->uId);
    EXPECT_EQ(1, (int)::SendMessageW(Tip(service), TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_TRUE(log.Last(TTM_SETTITLEW)->bNullText);
    EXPECT_EQ((WPARAM)0, log.Last(TTM_SETTITLEW)->wParam);

    // Off every tool: deactivated and the last tool removed.
    MoveTo(service, CPoint(300, 200));
    EXPECT_EQ((WPARAM)FALSE, log.Last(TTM_ACTIVATE)->wParam);
    EXPECT_EQ(0, (int)::SendMessageW(Tip(service), TTM_GETTOOLCOUNT, 0, 0));

    m_owner.m_pFrees = NULL;
    // Three texts, and the title and the description of the first two.
    ASSERT_EQ(7u, frees.m_frees.size());
    for (const auto& entry : frees.m_frees)
        EXPECT_EQ(1, entry.second) << entry.first;
}

TEST_F(TooltipService, TitlesNeedCommonControls580)
{
    m_owner.m_tools[0] = {CRect(10, 10, 110, 60), 1, L"first tool", L"Title", L"Description", 0};
    const struct
    {
        DWORD dwVersion;
        int nTitles;
    } cases[] = {{(5 << 16) | 0, 0}, {(5 << 16) | 80, 1}, {(6 << 16) | 0, 1}};
    for (const auto& c : cases)
    {
        CVersionedService service(c.dwVersion);
        service.SetShowTitleAndDescription(TRUE);
        CTipMessageLog log;
        MoveTo(service, Centre(0));
        EXPECT_EQ(c.nTitles, log.Count(TTM_SETTITLEW)) << std::hex << c.dwVersion;
        EXPECT_EQ(c.nTitles, log.Count(TTM_UPDATETIPTEXTW)) << std::hex << c.dwVersion;
    }
}

TEST_F(TooltipService, KeysAndButtonPressesHideTheTip)
{
    const UINT hiding[] = {WM_KEYDOWN, WM_SYSKEYUP, WM_LBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_NCLBUTTONDOWN};
    CVZPTooltipService service;
    for (UINT message : hiding)
    {
        MoveTo(service, Centre(0));
        MoveTo(service, Centre(1));   // a new tool activates the tip again
        CTipMessageLog log;
        Send(service, message);
        ASSERT_EQ(1, log.Count(TTM_ACTIVATE)) << std::hex << message;
        EXPECT_EQ((WPARAM)FALSE, log.Last(TTM_ACTIVATE)->wParam);
    }
    CTipMessageLog log;
    Send(service, WM_TIMER);
    Send(service, WM_SETCURSOR);
    EXPECT_TRUE(log.m_messages.empty());
}

TEST_F(TooltipService, InactiveWindowShowsTipsOnlyForAlwaysTools)
{
    m_owner.m_tools[1].uFlags = TTF_ALWAYSTIP;
    Activate(false);
    CVZPTooltipService service;
    CTipMessageLog log;
    MoveTo(service, Centre(0));
    EXPECT_EQ(1, log.Count(TTM_ADDTOOLW));
    for (const CTipMessage& entry : log.m_messages)
    {
        if (entry.message == TTM_ACTIVATE)
        {
            EXPECT_EQ((WPARAM)FALSE, entry.wParam);
        }
    }

    MoveTo(service, Centre(1));
    EXPECT_EQ(0u, log.Last(TTM_ADDTOOLW)->uFlags);
    EXPECT_EQ((WPARAM)TRUE, log.Last(TTM_ACTIVATE)->wParam);
}

TEST_F(TooltipService, StyleChangeReplacesTheTipWindow)
{
    for (int nKind : {CVZPTooltipService::tipCommonControls, CVZPTooltipService::tipBalloon})
    {
        CVZPTooltipService service;
        service.SetTipKind(nKind);
        MoveTo(service, Centre(0));
        CWnd* pFirst = service.GetTipWindow();
        ASSERT_NE(nullptr, pFirst);
        EXPECT_EQ(m_frame.m_hWnd, ::GetWindow(pFirst->m_hWnd, GW_OWNER));
        EXPECT_EQ(nKind == CVZPTooltipService::tipBalloon, (pFirst->GetStyle() & TTS_BALLOON) != 0);

        EXPECT_EQ((DWORD)TTS_NOPREFIX, service.ModifyToolTipStyle(0, TTS_NOPREFIX));
        EXPECT_EQ(pFirst, service.GetTipWindow());
        EXPECT_EQ((DWORD)(TTS_NOPREFIX | TTS_NOANIMATE), service.ModifyToolTipStyle(0, TTS_NOANIMATE));
        EXPECT_EQ(nullptr, service.GetTipWindow());

        // The next tip window has the new style and gets the tool again.
        CTipMessageLog log;
        MoveTo(service, Centre(0));
        ASSERT_NE(nullptr, service.GetTipWindow());
        const DWORD dwStyle = service.GetTipWindow()->GetStyle();
        EXPECT_EQ((DWORD)(TTS_NOPREFIX | TTS_NOANIMATE | TTS_ALWAYSTIP),
                  dwStyle & (TTS_NOPREFIX | TTS_NOANIMATE | TTS_ALWAYSTIP));
        EXPECT_EQ(1, log.Count(TTM_ADDTOOLW));
        EXPECT_EQ((DWORD)TTS_NOANIMATE, service.ModifyToolTipStyle(TTS_NOPREFIX, 0));
    }
}

// The window under a point, as every tip window reports it: a child that
// answers WM_VZPTIPSBYPARENT with 1 stands for its parent.
TEST_F(TooltipService, WindowFromPointHandsChildrenToTheirParent)
{
    CTipsByParentWnd byParent;
    CWnd plain;
    ASSERT_TRUE(byParent.Create(NULL, _T("by parent"), WS_CHILD | WS_VISIBLE, CRect(10, 100, 60, 150), &m_owner, 5));
    ASSERT_TRUE(plain.Create(NULL, _T("plain"), WS_CHILD | WS_VISIBLE, CRect(100, 100, 150, 150), &m_owner, 6));
    for (int nKind : {CVZPTooltipService::tipCommonControls, CVZPTooltipService::tipLibrary})
    {
        CVZPTooltipService service;
        service.SetTipKind(nKind);
        MoveTo(service, Centre(0));
        ASSERT_NE(nullptr, service.GetTipWindow());
        const struct
        {
            CPoint ptClient;
            HWND hExpected;
        } cases[] = {{CPoint(30, 120), m_owner.m_hWnd}, {CPoint(120, 120), plain.m_hWnd},
                     {CPoint(300, 200), m_owner.m_hWnd}};
        for (const auto& c : cases)
        {
            CPoint pt = c.ptClient;
            m_owner.ClientToScreen(&pt);
            EXPECT_EQ(c.hExpected, (HWND)service.GetTipWindow()->SendMessage(TTM_WINDOWFROMPOINT, 0, (LPARAM)&pt))
                << "kind " << nKind << " at " << c.ptClient.x << "," << c.ptClient.y;
        }
    }
}
