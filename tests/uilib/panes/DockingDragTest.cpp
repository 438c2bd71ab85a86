// The docking drag: the side a point docks at, the outline's region
// arithmetic, the docking stickers (which arrows a cross offers and their
// pixel hit test), and whole drags driven by real input.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <set>
#include <utility>
#include <vector>

#include "CVZPDockingPaneAutoHidePanel.h"
#include "CVZPDockingPaneDragContext.h"
#include "CVZPDockingPaneMiniWnd.h"
#include "DockingFrameFixture.h"
#include "MfcTestSupport.h"
#include "PanesTestSupport.h"

namespace vzpanes_test {

CVZPDockingPaneMiniWnd* FrameOf(CVZPDockingPane* pPane);
void LayOutFrames(CVZPDockingPaneLayout* pLayout);

namespace {

using tesmir::test::CDibCanvas;
using tesmir::test::PumpUntil;

class DockingDrag : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = CDockingTestFrame::Build();
        ASSERT_NE(nullptr, m_pFrame);
        m_pContext = m_pFrame->m_manager.GetDragContext();
    }
    void TearDown() override
    {
        if (m_pFrame != NULL)
        {
            m_pContext->DestroyStickers();
            m_pFrame->Destroy();
        }
    }

    CVZPDockingPane* Docked(int nID, LPCWSTR pszTitle, int nSide = vzpPaneDockLeft)
    {
        CVZPDockingPane* pPane = m_pFrame->NewPane(nID, pszTitle);
        m_pFrame->m_manager.DockPaneAtSide(pPane, nSide);
        m_pFrame->LayoutNow();
        return pPane;
    }
    CVZPDockingPane* Floating(int nID, LPCWSTR pszTitle, CRect rc)
    {
        CVZPDockingPane* pPane = m_pFrame->NewPane(nID, pszTitle);
        m_pFrame->m_manager.FloatPaneAt(pPane, rc);
        LayOutFrames(m_pFrame->Layout());
        return pPane;
    }
    // A point on a floating frame's system-drawn caption (screen).
    static CPoint CaptionPoint(CVZPDockingPaneMiniWnd* pMini)
    {
        CRect rcWindow, rcClient;
        pMini->GetWindowRect(&rcWindow);
        pMini->GetClientRect(&rcClient);
        pMini->ClientToScreen(&rcClient);
        return CPoint(rcWindow.left + 30, (rcWindow.top + rcClient.top) / 2 + 1);
    }

    CDockingTestFrame* m_pFrame = NULL;
    CVZPDockingPaneDragContext* m_pContext = NULL;
};

// Number of pixels of the rectangle that lie in the region.
int PixelsIn(CRgn& rgn, CRect rc)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y++)
    {
        for (int x = rc.left; x < rc.right; x++)
            n += rgn.PtInRegion(x, y) ? 1 : 0;
    }
    return n;
}

}  // namespace

TEST_F(DockingDrag, TheHitTestDocksAtTheNearestSideWithinTheBand)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pDragged = f.NewPane(9, L"Dragged");
    CVZPDockingPane* pDocked = Docked(1, L"Docked");
    CVZPDockingPaneBase* pContainer = pDocked->GetParentContainer();
    m_pContext->m_pDragged = pDragged;
    const CRect rc(100, 100, 300, 200);
    struct Case
    {
        int x, y;
        BOOL bInner;
        BOOL bCanFloat;
        BOOL bFound;
        int nSide;
    };
    const Case cases[] = {
        { 200, 105, TRUE, TRUE, TRUE, vzpPaneDockTop },       // inner: 5 below the top
        { 200, 195, TRUE, TRUE, TRUE, vzpPaneDockBottom },
        { 103, 150, TRUE, TRUE, TRUE, vzpPaneDockLeft },
        { 290, 150, TRUE, TRUE, TRUE, vzpPaneDockRight },
        { 104, 102, TRUE, TRUE, TRUE, vzpPaneDockTop },       // top wins a tie-free race by distance
        { 200, 150, TRUE, TRUE, FALSE, 0 },                   // the middle is beyond the 20-pixel band
        { 200, 121, TRUE, TRUE, FALSE, 0 },                   // 21 pixels in
        { 200, 119, TRUE, TRUE, TRUE, vzpPaneDockTop },       // 19 pixels in
        { 200, 90, TRUE, TRUE, FALSE, 0 },                    // inner needs the point inside
        { 200, 90, FALSE, TRUE, TRUE, vzpPaneDockTop },       // outer: 10 above
        { 200, 215, FALSE, TRUE, TRUE, vzpPaneDockBottom },
        { 85, 150, FALSE, TRUE, TRUE, vzpPaneDockLeft },
        { 315, 150, FALSE, TRUE, TRUE, vzpPaneDockRight },
        { 200, 79, FALSE, TRUE, FALSE, 0 },                   // outer: 21 above
        { 200, 105, FALSE, TRUE, FALSE, 0 },                  // outer: inside does not count
        // Floating refused: any inner point docks at its nearest side, the
        // sides weighed by the height-to-width ratio.
        { 200, 150, TRUE, FALSE, TRUE, vzpPaneDockTop },      // top and bottom 50, left and right 100 x 0.5
        { 160, 150, TRUE, FALSE, TRUE, vzpPaneDockLeft },     // left 60 x 0.5 = 30
        { 200, 160, TRUE, FALSE, TRUE, vzpPaneDockBottom },
        { 200, 90, FALSE, FALSE, TRUE, vzpPaneDockTop },      // outer tests keep the band
        { 200, 60, FALSE, FALSE, FALSE, 0 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << (c.bInner ? " inner" : " outer")
                                        << (c.bCanFloat ? "" : " no float"));
        m_pContext->m_bCanFloat = c.bCanFloat;
        m_pContext->m_pTarget = NULL;
        m_pContext->m_nSide = -1;
        EXPECT_EQ(c.bFound, m_pContext->DockingHitTest(rc, c.x, c.y, pContainer, c.bInner));
        if (c.bFound)
        {
            EXPECT_EQ(c.nSide, m_pContext->m_nSide);
            EXPECT_EQ(pContainer, m_pContext->m_pTarget);
            EXPECT_EQ(f.m_manager.ComputeDockRect(pDragged, c.nSide, pContainer), m_pContext->m_rcTarget);
        }
        else
        {
            EXPECT_EQ(nullptr, m_pContext->m_pTarget);
        }
    }
    // A refused side is no target, and the others are not tried instead.
    m_pContext->m_bCanFloat = TRUE;
    m_pContext->m_pTarget = NULL;
    f.m_vetoes = { actionDocking };
    EXPECT_FALSE(m_pContext->DockingHitTest(rc, 200, 105, pContainer, TRUE));
    EXPECT_EQ(nullptr, m_pContext->m_pTarget);
    // Empty rectangles never dock.
    f.m_vetoes.clear();
    EXPECT_FALSE(m_pContext->DockingHitTest(CRect(100, 100, 100, 200), 100, 150, pContainer, TRUE));
}

TEST_F(DockingDrag, TheOutlineIsAFourPixelFrameOrABodyWithATab)
{
    const CRect rc(0, 0, 100, 80);
    CRgn rgnFrame;
    CVZPDockingPaneDragContext::BuildOutlineRegion(&rgnFrame, rc, FALSE);
    EXPECT_EQ(100 * 80 - 92 * 72, PixelsIn(rgnFrame, CRect(-10, -10, 110, 90)));
    EXPECT_TRUE(rgnFrame.PtInRegion(2, 40));
    EXPECT_TRUE(rgnFrame.PtInRegion(96, 79));
    EXPECT_FALSE(rgnFrame.PtInRegion(4, 4));

    // Eight pixels thin or less: the whole area.
    CRgn rgnThin;
    CVZPDockingPaneDragContext::BuildOutlineRegion(&rgnThin, CRect(10, 10, 16, 60), FALSE);
    EXPECT_EQ(6 * 50, PixelsIn(rgnThin, CRect(0, 0, 30, 70)));

    // With attach: body (0, 0, 100, 60) and tab (5, 56, 55, 80); where the
    // two meet, the edge between them is open but for the tab's own sides.
    CRgn rgnTab;
    CVZPDockingPaneDragContext::BuildOutlineRegion(&rgnTab, rc, TRUE);
    struct Probe
    {
        int x, y;
        BOOL bIn;
    };
    const Probe probes[] = {
        { 2, 30, TRUE },     // body's left edge
        { 70, 58, TRUE },    // body's bottom edge beside the tab
        { 30, 58, FALSE },   // the joint: open
        { 7, 58, TRUE },     // the tab's left edge through the joint
        { 8, 58, TRUE },
        { 9, 58, FALSE },    // the opening starts 4 pixels into the tab
        { 50, 58, FALSE },
        { 52, 58, TRUE },    // and ends 4 pixels before its right end
        { 30, 78, TRUE },    // the tab's bottom edge
        { 30, 70, FALSE },   // inside the tab
        { 70, 70, FALSE },   // below the body, beside the tab
        { 50, 30, FALSE },   // inside the body
    };
    for (const Probe& p : probes)
        EXPECT_EQ(p.bIn, rgnTab.PtInRegion(p.x, p.y)) << p.x << "," << p.y;
}

TEST_F(DockingDrag, EachFeedbackInvertsOnlyWhatChanged)
{
    CDockingTestFrame& f = *m_pFrame;
    m_pContext->m_pDragged = f.NewPane(9, L"Dragged");
    m_pContext->m_bCanFloat = TRUE;
    m_pContext->m_pTarget = NULL;
    m_pContext->m_bAttach = FALSE;
    m_pContext->m_rcLastDrawn = CRect(0, 0, 100, 80);
    m_pContext->m_bTabPreviewShown = FALSE;
    m_pContext->m_rcDrag = CRect(10, 0, 110, 80);   // moved 10 to the right

    CRgn rgnNew, rgnOld, rgnExpected, rgnPaint;
    CVZPDockingPaneDragContext::BuildOutlineRegion(&rgnNew, m_pContext->m_rcDrag, FALSE);
    CVZPDockingPaneDragContext::BuildOutlineRegion(&rgnOld, m_pContext->m_rcLastDrawn, FALSE);
    rgnExpected.CreateRectRgn(0, 0, 0, 0);
    rgnExpected.CombineRgn(&rgnNew, &rgnOld, RGN_XOR);
    CRect rcNew;
    m_pContext->BuildFeedbackRegion(&rgnPaint, FALSE, &rcNew);
    EXPECT_EQ(m_pContext->m_rcDrag, rcNew);
    EXPECT_TRUE(rgnPaint.EqualRgn(&rgnExpected));
    EXPECT_FALSE(rgnPaint.PtInRegion(50, 1)) << "the top edges overlap: untouched";
    EXPECT_TRUE(rgnPaint.PtInRegion(1, 40));
    EXPECT_TRUE(rgnPaint.PtInRegion(107, 40));

    // Erasing inverts the old outline alone; refused floating without a
    // target shows nothing.
    CRgn rgnErase;
    m_pContext->BuildFeedbackRegion(&rgnErase, TRUE, NULL);
    EXPECT_TRUE(rgnErase.EqualRgn(&rgnOld));
    m_pContext->m_bCanFloat = FALSE;
    EXPECT_TRUE(m_pContext->GetFeedbackRect().IsRectEmpty());
    CRgn rgnNothing;
    m_pContext->BuildFeedbackRegion(&rgnNothing, FALSE, NULL);
    EXPECT_TRUE(rgnNothing.EqualRgn(&rgnOld));
}

TEST_F(DockingDrag, ACrossShowsACentreOnlyWhereAttachingIsAllowed)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pDocked = Docked(1, L"Docked");
    CVZPDockingPaneBase* pContainer = pDocked->GetParentContainer();
    m_pContext->m_pDragged = f.NewPane(9, L"Dragged");
    for (int nStyle = 0; nStyle < 2; nStyle++)
    {
        SCOPED_TRACE(nStyle);
        f.m_manager.m_nStickerStyle = nStyle;
        struct Case
        {
            CVZPDockingPaneBase* pOver;
            std::set<int> vetoes;
            int nCrossKind;
        };
        const Case cases[] = {
            { pContainer, {}, 63 },
            { pContainer, { actionAttaching }, 47 },
            { f.Client(), {}, 47 },                      // never a centre over the client
            { NULL, {}, 0 },                             // the frame's edge: single arrows only
        };
        for (const Case& c : cases)
        {
            f.m_vetoes = c.vetoes;
            m_pContext->DestroyStickers();
            m_pContext->m_pShownContainer = NULL;
            m_pContext->m_pStickerContainer = c.pOver;
            m_pContext->m_rcSticker = c.pOver != NULL ? c.pOver->GetScreenRect() : f.Top()->GetScreenRect();
            m_pContext->UpdateStickers();
            std::vector<int> kinds;
            for (POSITION pos = m_pContext->m_lstStickers.GetHeadPosition(); pos != NULL;)
                kinds.push_back(m_pContext->m_lstStickers.GetNext(pos)->m_nKind);
            std::vector<int> expected;
            if (c.nCrossKind != 0)
                expected.push_back(c.nCrossKind);
            for (int nKind : { vzpStickerTop, vzpStickerLeft, vzpStickerBottom, vzpStickerRight })
                expected.push_back(nKind);
            EXPECT_EQ(expected, kinds);
            // Each window is shaped and placed at its size, the cross
            // centred on the container.
            for (POSITION pos = m_pContext->m_lstStickers.GetHeadPosition(); pos != NULL;)
            {
                CVZPDockingPaneSticker* pSticker = m_pContext->m_lstStickers.GetNext(pos);
                ASSERT_TRUE(::IsWindow(pSticker->GetSafeHwnd()));
                CRect rcWindow;
                pSticker->GetWindowRect(&rcWindow);
                EXPECT_EQ(m_pContext->GetStickerSize(pSticker->m_nKind), rcWindow.Size());
                CRgn rgn;
                rgn.CreateRectRgn(0, 0, 0, 0);
                EXPECT_NE(ERROR, ::GetWindowRgn(pSticker->GetSafeHwnd(), HRGN(rgn.GetSafeHandle())));
                EXPECT_FALSE(rgn.PtInRegion(0, 0)) << "green corners are cut away";
                if (pSticker->m_nKind & vzpStickerCross)
                {
                    const CRect rcOver = m_pContext->m_rcSticker;
                    EXPECT_LE(std::abs(rcWindow.CenterPoint().x - rcOver.CenterPoint().x), 1);
                    EXPECT_LE(std::abs(rcWindow.CenterPoint().y - rcOver.CenterPoint().y), 1);
                }
            }
        }
        f.m_vetoes.clear();
    }
    m_pContext->DestroyStickers();
}

TEST_F(DockingDrag, TheStickerHitTestReadsThePartsPixels)
{
    CDockingTestFrame& f = *m_pFrame;
    m_pContext->m_pDragged = f.NewPane(9, L"Dragged");
    for (int nStyle = 0; nStyle < 2; nStyle++)
    {
        SCOPED_TRACE(nStyle);
        f.m_manager.m_nStickerStyle = nStyle;
        m_pContext->DestroyStickers();
        const int nCross = vzpStickerCross | vzpStickerCenter | vzpStickerLeft | vzpStickerRight | vzpStickerTop |
                           vzpStickerBottom;
        const CSize sz = m_pContext->GetStickerSize(nCross);
        const CPoint ptOrigin(200, 200);
        m_pContext->CreateSticker(CRect(ptOrigin, sz), nCross);
        ASSERT_EQ(1, int(m_pContext->m_lstStickers.GetCount()));
        CVZPDockingPaneSticker* pSticker = m_pContext->m_lstStickers.GetHead();
        // Arrow offsets of the two tables: top part at (25, 0) 43 x 30 in the
        // first, at (30, 0) 29 x 30 in the second.
        const CPoint ptTop = nStyle == 0 ? CPoint(25 + 21, 15) : CPoint(30 + 14, 15);
        const CPoint ptLeft = nStyle == 0 ? CPoint(15, 25 + 21) : CPoint(15, 30 + 14);
        const CPoint ptCentre(sz.cx / 2, sz.cy / 2);
        struct Probe
        {
            CPoint pt;
            int nPart;
        };
        const Probe probes[] = {
            { ptTop, vzpStickerTop },
            { ptLeft, vzpStickerLeft },
            { CPoint(ptTop.x, sz.cy - 15), vzpStickerBottom },
            { CPoint(sz.cx - 15, ptLeft.y), vzpStickerRight },
            { ptCentre, vzpStickerCenter },
            { CPoint(1, 1), 0 },                                       // outside every part
            { nStyle == 0 ? CPoint(26, 26) : CPoint(25, 25), 0 },      // the base's green corner
            { nStyle == 0 ? CPoint(26, 1) : CPoint(31, 1), 0 },        // the top part's green corner
            { CPoint(sz.cx + 3, 5), 0 },                               // off the window
        };
        for (const Probe& p : probes)
            EXPECT_EQ(p.nPart, pSticker->HitTest(ptOrigin + p.pt)) << p.pt.x << "," << p.pt.y;
        // A sticker without a centre answers the base as nothing.
        m_pContext->DestroyStickers();
        m_pContext->CreateSticker(CRect(ptOrigin, sz), nCross & ~vzpStickerCenter);
        EXPECT_EQ(0, m_pContext->m_lstStickers.GetHead()->HitTest(ptOrigin + ptCentre));
        m_pContext->DestroyStickers();
    }
}

namespace {

// One input event moving the pointer to a screen point, with button flags.
INPUT MoveTo(CPoint pt, DWORD dwFlags)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG((LONGLONG(pt.x) * 65536 + cx - 1) / cx);
    in.mi.dy = LONG((LONGLONG(pt.y) * 65536 + cy - 1) / cy);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwFlags;
    return in;
}

// One drag by real input: the pointer to the first point, a press there, the
// moves, the keys (pressed and released) and the release, all in one
// SendInput call, so that the drag's loop finds them queued in this order.
bool Drag(CPoint ptFrom, const std::vector<CPoint>& moves, std::vector<WORD> keysBeforeRelease = {})
{
    if (!tesmir::test::SendMouseInput(ptFrom))
        return false;
    std::vector<INPUT> inputs;
    inputs.push_back(MoveTo(ptFrom, MOUSEEVENTF_LEFTDOWN));
    for (const CPoint& pt : moves)
        inputs.push_back(MoveTo(pt, 0));
    for (WORD vk : keysBeforeRelease)
    {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        inputs.push_back(in);
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    inputs.push_back(MoveTo(moves.empty() ? ptFrom : moves.back(), MOUSEEVENTF_LEFTUP));
    return ::SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

}  // namespace

TEST_F(DockingDrag, ADragByRealInputDocksAFloatingPaneAtTheTop)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = Floating(1, L"Travelling", CRect(450, 300, 650, 450));
    CVZPDockingPane* pOther = f.NewPane(2, L"Second");
    f.m_manager.AttachPaneTo(pOther, pPane);
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    ASSERT_TRUE(tesmir::test::BringToFront(pMini->GetSafeHwnd()));
    f.m_notes.clear();

    const CRect rcClient = f.Client()->GetScreenRect();
    const CPoint ptFrom = CaptionPoint(pMini);
    const CPoint ptTo(rcClient.CenterPoint().x, rcClient.top + 6);
    ASSERT_TRUE(Drag(ptFrom, { CPoint(ptFrom.x - 30, ptFrom.y - 10), CPoint(ptTo.x + 20, ptTo.y + 40), ptTo }));
    ASSERT_TRUE(PumpUntil([&] { return f.CountActions(actionDocked) >= 2; }));
    EXPECT_EQ(nullptr, FrameOf(pPane));
    EXPECT_EQ(f.TabbedOf(pPane), f.TabbedOf(pOther)) << "the container moved whole";
    EXPECT_EQ(vzpPaneDockTop, f.m_manager.GetPaneSide(pPane));
    EXPECT_EQ(2, f.CountActions(actionFloating)) << "asked once for each pane when the drag began";
    EXPECT_GE(f.CountActions(actionDocking), 2);
    EXPECT_EQ(2, f.CountActions(actionDocked));
    for (const DockingNote& note : f.Notes(vzpDockingPaneAction))
    {
        if (note.nAction == actionDocking)
        {
            EXPECT_EQ(vzpPaneDockTop, note.nSide);
        }
    }
    LayOutFrames(f.Layout());
    f.LayoutNow();
    EXPECT_FALSE(pMini->IsWindowVisible());
}

TEST_F(DockingDrag, ADragOffersAFloatingFramesFirstContainer)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pHost = Floating(1, L"Host", CRect(100, 420, 360, 620));
    CVZPDockingPane* pGuest = Floating(2, L"Guest", CRect(500, 420, 700, 560));
    CVZPDockingPaneMiniWnd* pGuestFrame = FrameOf(pGuest);
    ASSERT_NE(nullptr, pGuestFrame);
    ASSERT_TRUE(tesmir::test::BringToFront(pGuestFrame->GetSafeHwnd()));
    const CRect rcTarget = f.TabbedOf(pHost)->GetScreenRect();
    const CPoint ptFrom = CaptionPoint(pGuestFrame);
    const CPoint ptTo(rcTarget.left + 5, rcTarget.CenterPoint().y + 10);
    f.m_notes.clear();
    ASSERT_TRUE(Drag(ptFrom, { CPoint(ptFrom.x - 20, ptFrom.y + 10), CPoint(ptTo.x + 40, ptTo.y), ptTo }));
    ASSERT_TRUE(PumpUntil([&] { return f.CountActions(actionDocked) >= 1; }));
    EXPECT_EQ(FrameOf(pHost), FrameOf(pGuest)) << "docked beside the host in its frame";
    CVZPDockingPaneSplitterContainer* pRow = f.AsSplitter(f.TabbedOf(pGuest)->GetParentContainer());
    ASSERT_NE(nullptr, pRow);
    EXPECT_TRUE(pRow->IsHorizontal());
    EXPECT_EQ(f.TabbedOf(pGuest), pRow->m_lstChildren.GetHead()) << "at the host's left";
}

TEST_F(DockingDrag, SmallMovesAndEscapeChangeNothing)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = Floating(1, L"Still", CRect(450, 300, 650, 450));
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    ASSERT_TRUE(tesmir::test::BringToFront(pMini->GetSafeHwnd()));
    CRect rcBefore;
    pMini->GetWindowRect(&rcBefore);
    const CPoint ptFrom = CaptionPoint(pMini);

    // Within 4 pixels: nothing moves and nothing is reported after the start.
    f.m_notes.clear();
    ASSERT_TRUE(Drag(ptFrom, { CPoint(ptFrom.x + 3, ptFrom.y - 4), CPoint(ptFrom.x + 4, ptFrom.y + 2) }));
    ASSERT_TRUE(PumpUntil([&] { return f.CountActions(actionFloating) >= 1 && ::GetCapture() == NULL; }));
    PumpUntil([] { return false; }, 200);
    CRect rc;
    pMini->GetWindowRect(&rc);
    EXPECT_EQ(rcBefore, rc);
    EXPECT_EQ(pMini, FrameOf(pPane));
    EXPECT_EQ(0, f.CountActions(actionFloated));
    EXPECT_EQ(0, f.CountActions(actionDocked));

    // Esc ends a real drag over the view without docking.
    const CRect rcClient = f.Client()->GetScreenRect();
    const CPoint ptTo(rcClient.CenterPoint().x, rcClient.top + 6);
    f.m_notes.clear();
    // From another caption point: a press where the last one was would be a
    // double click, which docks the frame.
    const CPoint ptFrom2(ptFrom.x + 40, ptFrom.y);
    ASSERT_TRUE(Drag(ptFrom2, { CPoint(ptFrom2.x - 30, ptFrom2.y - 10), ptTo }, { VK_ESCAPE }));
    // The drag began (it asks about floating first) and is over; whether the
    // display delivered the moves before the key does not matter.
    ASSERT_TRUE(PumpUntil([&] { return f.CountActions(actionFloating) >= 1 && ::GetCapture() == NULL; }));
    PumpUntil([] { return false; }, 300);
    pMini->GetWindowRect(&rc);
    EXPECT_EQ(rcBefore, rc);
    EXPECT_EQ(pMini, FrameOf(pPane));
    EXPECT_EQ(0, f.CountActions(actionDocked));
    EXPECT_EQ(0, f.CountActions(actionFloated));
}

TEST_F(DockingDrag, DroppingAFloatingFrameElsewhereMovesItsWindow)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pPane = Floating(1, L"Moved", CRect(450, 300, 650, 450));
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    ASSERT_TRUE(tesmir::test::BringToFront(pMini->GetSafeHwnd()));
    CRect rcBefore;
    pMini->GetWindowRect(&rcBefore);
    const CPoint ptFrom = CaptionPoint(pMini);
    // Ctrl held: no docking anywhere, the frame just moves.
    f.m_notes.clear();
    std::vector<INPUT> ctrl(1);
    ctrl[0].type = INPUT_KEYBOARD;
    ctrl[0].ki.wVk = VK_CONTROL;
    ::SendInput(1, ctrl.data(), sizeof(INPUT));
    ASSERT_TRUE(Drag(ptFrom, { CPoint(ptFrom.x + 20, ptFrom.y + 20), CPoint(ptFrom.x + 60, ptFrom.y + 40) }));
    ASSERT_TRUE(PumpUntil([&] { return f.CountActions(actionFloated) >= 1; }));
    ctrl[0].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, ctrl.data(), sizeof(INPUT));
    CRect rc;
    pMini->GetWindowRect(&rc);
    EXPECT_EQ(rcBefore.Size(), rc.Size());
    EXPECT_EQ(CPoint(rcBefore.left + 60, rcBefore.top + 40), rc.TopLeft());
    EXPECT_EQ(pMini, FrameOf(pPane)) << "the same frame";
    EXPECT_EQ(0, f.CountActions(actionDocking)) << "Ctrl asks no container";
}

TEST_F(DockingDrag, TranslucentFeedbackUsesLayeredPreviewWindows)
{
    CDockingTestFrame& f = *m_pFrame;
    ASSERT_NE(nullptr, m_pContext->m_pfnSetLayeredWindowAttributes) << "USER32 has the function";
    CVZPDockingPane* pDocked = Docked(1, L"Docked");
    m_pContext->m_pDragged = f.NewPane(9, L"Dragged");
    m_pContext->m_bTranslucent = TRUE;
    m_pContext->m_bCanFloat = TRUE;
    m_pContext->m_pTarget = NULL;
    m_pContext->m_bAttach = FALSE;
    m_pContext->m_bTabPreviewShown = FALSE;
    m_pContext->m_rcDrag = CRect(300, 200, 460, 330);
    m_pContext->DrawFeedback(FALSE);
    HWND hPreview = m_pContext->m_wndPreview.GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(hPreview));
    const DWORD dwExStyle = DWORD(::GetWindowLongW(hPreview, GWL_EXSTYLE));
    EXPECT_EQ(DWORD(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
              dwExStyle & (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    EXPECT_NE(0u, DWORD(::GetWindowLongW(hPreview, GWL_STYLE)) & WS_POPUP);
    BYTE nAlpha = 0;
    DWORD dwFlags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(hPreview, NULL, &nAlpha, &dwFlags));
    EXPECT_EQ(100, nAlpha);
    EXPECT_NE(0u, dwFlags & LWA_ALPHA);
    CRect rc;
    m_pContext->m_wndPreview.GetWindowRect(&rc);
    EXPECT_EQ(m_pContext->m_rcDrag, rc);
    EXPECT_EQ(nullptr, m_pContext->m_wndTabPreview.GetSafeHwnd());

    // Attaching to a container: a tab below the body (tabs at the bottom).
    const CRect rcTarget = pDocked->GetParentContainer()->GetScreenRect();
    m_pContext->m_pTarget = pDocked->GetParentContainer();
    m_pContext->m_rcTarget = rcTarget;
    m_pContext->m_bAttach = TRUE;
    m_pContext->DrawFeedback(FALSE);
    ASSERT_TRUE(::IsWindow(m_pContext->m_wndTabPreview.GetSafeHwnd()));
    CRect rcTab;
    m_pContext->m_wndTabPreview.GetWindowRect(&rcTab);
    EXPECT_EQ(CRect(rcTarget.left + 5, rcTarget.bottom - 20, rcTarget.left + 55, rcTarget.bottom), rcTab);
    m_pContext->m_wndPreview.GetWindowRect(&rc);
    EXPECT_EQ(CRect(rcTarget.left, rcTarget.top, rcTarget.right, rcTarget.bottom - 20), rc);
    m_pContext->EndLoop();
    EXPECT_FALSE(::IsWindow(hPreview));
    EXPECT_EQ(nullptr, m_pContext->m_wndTabPreview.GetSafeHwnd());
    EXPECT_EQ(nullptr, m_pContext->m_wndPreview.GetSafeHwnd());
}

TEST_F(DockingDrag, ADropOnAStickerArrowDocksThere)
{
    CDockingTestFrame& f = *m_pFrame;
    f.m_manager.m_bDragStyleTranslucent = TRUE;
    f.m_manager.m_bDragStyleStickers = TRUE;
    CVZPDockingPane* pDocked = Docked(1, L"Docked");
    CVZPDockingPane* pPane = Floating(2, L"Dropped", CRect(450, 360, 650, 500));
    CVZPDockingPaneMiniWnd* pMini = FrameOf(pPane);
    ASSERT_NE(nullptr, pMini);
    ASSERT_TRUE(tesmir::test::BringToFront(pMini->GetSafeHwnd()));
    CVZPDockingPaneBase* pTarget = pDocked->GetParentContainer();
    const CRect rcTarget = pTarget->GetScreenRect();
    const CPoint ptCentre((rcTarget.left + rcTarget.right) / 2, (rcTarget.top + rcTarget.bottom) / 2);
    // The cross (93 x 93) is centred on the container; the middle of its top
    // arrow lies on the centre's x, 15 pixels below the cross's top.
    const CPoint ptTopArrow(ptCentre.x, ptCentre.y - 93 / 2 + 15);
    const CPoint ptFrom = CaptionPoint(pMini);
    f.m_notes.clear();
    ASSERT_TRUE(Drag(ptFrom, { CPoint(ptFrom.x - 30, ptFrom.y - 10), CPoint(ptCentre.x + 10, ptCentre.y + 30),
                               ptTopArrow }));
    ASSERT_TRUE(PumpUntil([&] { return f.CountActions(actionDocked) >= 1; }));
    CVZPDockingPaneSplitterContainer* pColumn = f.AsSplitter(f.TabbedOf(pPane)->GetParentContainer());
    ASSERT_NE(nullptr, pColumn);
    EXPECT_FALSE(pColumn->IsHorizontal());
    EXPECT_EQ(f.TabbedOf(pPane), pColumn->m_lstChildren.GetHead()) << "above the container";
    EXPECT_EQ(f.TabbedOf(pDocked), pColumn->m_lstChildren.GetTail());
    EXPECT_TRUE(m_pContext->m_lstStickers.IsEmpty()) << "the stickers go with the drag";
    EXPECT_EQ(nullptr, m_pContext->m_wndPreview.GetSafeHwnd());
}

TEST_F(DockingDrag, ScreenshotOfAFloatingFrameAHiddenPaneAndStickers)
{
    CDockingTestFrame& f = *m_pFrame;
    CVZPDockingPane* pDocked = Docked(1, L"Docked");
    CVZPDockingPane* pHidden = f.NewPane(2, L"Hidden pane", 150, 140);
    f.m_manager.DockPaneAtSide(pHidden, vzpPaneDockBottom);
    f.LayoutNow();
    f.m_manager.SendToAutoHide(pHidden);
    f.LayoutNow();
    CVZPDockingPane* pFloating = Floating(3, L"Floating pane", CRect(520, 330, 780, 520));
    CVZPDockingPaneAutoHidePanel* pPanel =
        static_cast<CVZPDockingPaneAutoHidePanel*>(f.Layout()->m_pAutoHidePanels[vzpPaneDockBottom]);
    ASSERT_NE(nullptr, pPanel);
    pPanel->ShowAutoHideWindow(pHidden, FALSE);
    ASSERT_NE(nullptr, pPanel->GetCurrentWindow());
    for (int i = 0; i < 8; i++)
        pPanel->GetCurrentWindow()->OnTimer(CVZPDockingPaneAutoHideWnd::TimerSlideOut);

    m_pContext->m_pDragged = pFloating;
    m_pContext->m_pStickerContainer = pDocked->GetParentContainer();
    m_pContext->m_rcSticker = pDocked->GetParentContainer()->GetScreenRect();
    m_pContext->UpdateStickers();
    ASSERT_EQ(5, int(m_pContext->m_lstStickers.GetCount()));
    CVZPDockingPaneSticker* pCross = m_pContext->m_lstStickers.GetHead();
    pCross->m_nHighlighted = vzpStickerTop;
    ::RedrawWindow(NULL, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE | RDW_FRAME);
    // The sliding window lies over the view, which does not clip its
    // siblings: it paints last, as it does when it slides out.
    pPanel->GetCurrentWindow()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntil([] { return false; }, 300);

    const CSize sz(900, 700);
    CDibCanvas canvas(sz.cx, sz.cy);
    HDC hScreen = ::GetDC(NULL);
    ::BitBlt(canvas.Dc(), 0, 0, sz.cx, sz.cy, hScreen, 0, 0, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    EXPECT_TRUE(canvas.SaveBmp(tesmir::test::ScreenshotPath(L"docking_floating_hidden_stickers.bmp")));
    // The stickers' green is cut away by their regions; their faces show.
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, sz.cx, sz.cy), RGB(0, 255, 0)));
    CRect rcCross;
    pCross->GetWindowRect(&rcCross);
    EXPECT_NE(RGB(0, 255, 0), canvas.Pixel(rcCross.CenterPoint().x, rcCross.CenterPoint().y));
    // The sliding window covers the bottom of the view with its face.
    CRect rcSliding;
    pPanel->GetCurrentWindow()->GetWindowRect(&rcSliding);
    EXPECT_EQ(f.m_manager.GetPaintManager()->GetColor(51), canvas.Pixel(rcSliding.right - 10, rcSliding.top + 10));
    m_pContext->DestroyStickers();
}

}  // namespace vzpanes_test
