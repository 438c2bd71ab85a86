#include "TooltipTestSupport.h"

#include "FoundationTestSupport.h"

namespace vzfoundation_test {

INT_PTR CToolOwnerWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    m_infoSizes.push_back(pTI->cbSize);
    for (const CScriptedTool& tool : m_tools)
    {
        if (!tool.rect.PtInRect(point))
            continue;
        const bool bCallback = tool.pszText == LPSTR_TEXTCALLBACK;
        CVZPTooltipService::FillToolInfo(pTI, m_hWnd, tool.rect.left, tool.rect.top, tool.rect.right,
                                         tool.rect.bottom, tool.nId, bCallback ? L"" : tool.pszText,
                                         tool.pszTitle, tool.pszDescription);
        pTI->uFlags = tool.uFlags;
        std::vector<void*> strings = {pTI->lpszText};
        if (bCallback)
        {
            free(pTI->lpszText);
            pTI->lpszText = LPSTR_TEXTCALLBACK;
            strings.clear();
        }
        if (pTI->cbSize >= TTTOOLINFOW_V2_SIZE && pTI->lParam != 0)
        {
            LPWSTR* pBlock = reinterpret_cast<LPWSTR*>(pTI->lParam);
            strings.push_back(pBlock[0]);
            strings.push_back(pBlock[1]);
        }
        for (void* p : strings)
        {
            if (p == NULL)
                continue;
            m_handedOut.push_back(p);
            if (m_pFrees != NULL)
                m_pFrees->Track(p);
        }
        return (INT_PTR)tool.nId;
    }
    return -1;
}

BOOL CToolFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader->code != TTN_GETDISPINFOW)
        return CWnd::OnNotify(wParam, lParam, pResult);
    m_requests.push_back(*pHeader);
    NMTTDISPINFOW* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    lstrcpynW(pInfo->szText, m_strCallbackText.c_str(), _countof(pInfo->szText));
    *pResult = 0;
    return TRUE;
}

LRESULT CTipsByParentWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_VZPTIPSBYPARENT)
        return 1;
    return CWnd::WindowProc(message, wParam, lParam);
}

CTipMessageLog::CTipMessageLog()
    : m_hook([this](const CWPSTRUCT& msg) {
          WCHAR szClass[64] = L"";
          ::GetClassNameW(msg.hwnd, szClass, _countof(szClass));
          if (lstrcmpiW(szClass, TOOLTIPS_CLASSW) != 0)
              return;
          CTipMessage entry = {msg.message, msg.wParam, false, L"", 0, 0, 0};
          switch (msg.message)
          {
          case TTM_SETTITLEW:
              entry.bNullText = msg.lParam == 0;
              if (msg.lParam != 0)
                  entry.strText = reinterpret_cast<LPCWSTR>(msg.lParam);
              break;
          case TTM_ADDTOOLW:
          case TTM_DELTOOLW:
          case TTM_UPDATETIPTEXTW:
          {
              const TOOLINFOW* pTI = reinterpret_cast<const TOOLINFOW*>(msg.lParam);
              entry.cbSize = pTI->cbSize;
              entry.uFlags = pTI->uFlags;
              entry.uId = pTI->uId;
              entry.bNullText = pTI->lpszText == NULL;
              if (pTI->lpszText != NULL && pTI->lpszText != LPSTR_TEXTCALLBACKW && !IS_INTRESOURCE(pTI->lpszText))
                  entry.strText = pTI->lpszText;
              break;
          }
          case TTM_ACTIVATE:
              break;
          default:
              return;
          }
          m_messages.push_back(entry);
      })
{
}

int CTipMessageLog::Count(UINT message) const
{
    int n = 0;
    for (const CTipMessage& entry : m_messages)
        n += entry.message == message;
    return n;
}

const CTipMessage* CTipMessageLog::Last(UINT message) const
{
    for (auto it = m_messages.rbegin(); it != m_messages.rend(); ++it)
        if (it->message == message)
            return &*it;
    return NULL;
}

void TooltipFixture::SetUp()
{
    LPCTSTR pszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    ASSERT_TRUE(m_frame.CreateEx(0, pszClass, _T("tooltip owner"), WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 100, 420,
                                 320, NULL, NULL));
    ASSERT_TRUE(m_owner.Create(pszClass, _T("tools"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &m_frame, 1));
    ASSERT_TRUE(m_other.CreateEx(0, pszClass, _T("other"), WS_POPUP | WS_VISIBLE | WS_BORDER, 600, 600, 100, 100,
                                 NULL, NULL));
    m_owner.m_tools = {
        {CRect(10, 10, 110, 60), 1, L"first tool", NULL, NULL, 0},
        {CRect(150, 10, 250, 60), 2, L"second tool", NULL, NULL, 0},
    };
    Activate(true);
}

void TooltipFixture::TearDown()
{
    m_other.DestroyWindow();
    m_frame.DestroyWindow();
    tesmir::test::PumpUntil([] { return false; }, 50);
}

void TooltipFixture::Activate(bool bFrame)
{
    const HWND hWnd = bFrame ? m_frame.m_hWnd : m_other.m_hWnd;
    ::SetForegroundWindow(hWnd);
    ASSERT_TRUE(tesmir::test::PumpUntil([hWnd] { return ::GetForegroundWindow() == hWnd; }));
}

bool TooltipFixture::PlaceCursor(CPoint ptScreen)
{
    return vzfoundation_test::PlaceCursor(ptScreen);
}

void TooltipFixture::MoveTo(CVZPTooltipService& service, CPoint ptClient, UINT message)
{
    CPoint ptScreen = ptClient;
    m_owner.ClientToScreen(&ptScreen);
    ASSERT_TRUE(PlaceCursor(ptScreen)) << "the cursor does not stay at " << ptScreen.x << "," << ptScreen.y;
    service.FilterMouseMessage(&m_owner, message, 0, MAKELPARAM(ptClient.x, ptClient.y));
}

void TooltipFixture::Send(CVZPTooltipService& service, UINT message)
{
    service.FilterMouseMessage(&m_owner, message, 0, 0);
}

}  // namespace vzfoundation_test
