// The HTML message box on real windows: button sets and what ends a box,
// custom buttons, the default button, the check box and the remembered
// answer, the time-out and the disabled period, More, and the message log.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "CRichMessageBox.h"
#include "ModalDriver.h"

#include <TestSupport.h>

#include <fstream>
#include <sstream>

using msgbox_test::BoxButton;
using msgbox_test::CModalDriver;

namespace {

const wchar_t kCompany[] = L"TesmirTests-msgbox";

std::vector<int> Ids(const std::vector<BoxButton>& buttons)
{
    std::vector<int> ids;
    for (const BoxButton& b : buttons)
        ids.push_back(b.id);
    return ids;
}

std::vector<std::wstring> Captions(const std::vector<BoxButton>& buttons)
{
    std::vector<std::wstring> captions;
    for (const BoxButton& b : buttons)
        captions.push_back(b.caption);
    return captions;
}

bool CloseIsGrey(HWND hBox)
{
    HMENU hMenu = ::GetSystemMenu(hBox, FALSE);
    return hMenu != nullptr && (::GetMenuState(hMenu, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) != 0;
}

// The check box of a box: the child button with the automatic check box style.
HWND CheckBoxOf(HWND hBox)
{
    for (HWND h = ::GetWindow(hBox, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        if ((::GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            return h;
    return nullptr;
}

// HKCU\Software\<company>\<program>\QHMessageBox.
std::wstring AnswerKey()
{
    WCHAR szModule[MAX_PATH];
    ::GetModuleFileNameW(NULL, szModule, MAX_PATH);
    return std::wstring(L"Software\\") + kCompany + L"\\" + (wcsrchr(szModule, L'\\') + 1) + L"\\QHMessageBox";
}

// Deletes the test's keys, innermost first.
void DeleteAnswerKeys()
{
    std::wstring key = AnswerKey();
    for (int i = 0; i < 3; ++i)
    {
        ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
        key = key.substr(0, key.rfind(L'\\'));
    }
}

int ClientHeight(HWND hWnd)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    return rc.bottom;
}

}  // namespace

// Every button set: its buttons in order with their captions; Esc and the
// close box end the box with 2 where cancel is allowed and do nothing
// elsewhere (Close greyed); sets 10 to 15 behave as set 0.
TEST(RichMessageBox, ButtonSetsAndWhatEndsThem)
{
    const struct
    {
        UINT nStyle;
        std::vector<int> ids;
        std::vector<std::wstring> captions;
        bool bCancel;
    } cases[] = {
        {MB_OK, {1}, {L"OK"}, true},
        {MB_OKCANCEL, {1, 2}, {L"OK", L"Cancel"}, true},
        {MB_ABORTRETRYIGNORE, {3, 4, 5}, {L"Abort", L"Retry", L"Ignore"}, false},
        {MB_YESNOCANCEL, {6, 7, 2}, {L"Yes", L"No", L"Cancel"}, true},
        {MB_YESNOCANCEL | MB_YESTOALL | MB_NOTOALL, {6, 19, 7, 20, 2},
         {L"Yes", L"Yes to all", L"No", L"No to all", L"Cancel"}, true},
        {MB_YESNO, {6, 7}, {L"Yes", L"No"}, false},
        {MB_YESNO | MB_YESTOALL, {6, 19, 7}, {L"Yes", L"Yes to all", L"No"}, false},
        {MB_YESNO | MB_NOTOALL, {6, 7, 20}, {L"Yes", L"No", L"No to all"}, false},
        {MB_RETRYCANCEL, {4, 2}, {L"Retry", L"Cancel"}, true},
        {MB_CANCELTRYCONTINUE, {2, 10, 11}, {L"Cancel", L"Try again", L"Continue"}, true},
        {MB_CONTINUEABORT, {11, 3}, {L"Continue", L"Abort"}, false},
        {MB_SKIPSKIPALLCANCEL, {14, 15, 2}, {L"Skip", L"Skip all", L"Cancel"}, true},
        {MB_IGNOREIGNOREALLCANCEL, {5, 16, 2}, {L"Ignore", L"Ignore all", L"Cancel"}, true},
        {10, {1}, {L"OK"}, true},
        {15, {1}, {L"OK"}, true},
    };
    for (const auto& c : cases)
    {
        for (bool bEscape : {true, false})
        {
            std::vector<BoxButton> buttons;
            bool bGrey = false;
            CModalDriver driver({CModalDriver::Run([&](HWND hBox) {
                                     buttons = CModalDriver::Buttons(hBox);
                                     bGrey = CloseIsGrey(hBox);
                                 }),
                                 bEscape ? CModalDriver::PressEscape() : CModalDriver::Close(),
                                 CModalDriver::Wait(300), CModalDriver::Click(c.ids.front())});
            const int nResult = RichMessageBox(NULL, L"Which button?", L"Sets", c.nStyle | MB_NOSOUND);
            EXPECT_FALSE(driver.TimedOut()) << std::hex << c.nStyle;
            EXPECT_EQ(c.ids, Ids(buttons)) << std::hex << c.nStyle;
            EXPECT_EQ(c.captions, Captions(buttons)) << std::hex << c.nStyle;
            EXPECT_EQ(c.bCancel ? 2 : c.ids.front(), nResult) << std::hex << c.nStyle << " escape " << bEscape;
            EXPECT_EQ(!c.bCancel, bGrey) << std::hex << c.nStyle;
        }
    }
}

// Custom buttons: one per non-empty line, carriage returns dropped, ids 23
// upwards, no standard buttons and no cancel.
TEST(RichMessageBox, CustomButtonsReplaceTheSet)
{
    MessageBoxParams params;
    params.lpszCustomButtons = L"A\r\n\r\nB";
    std::vector<BoxButton> buttons;
    CModalDriver driver({CModalDriver::Run([&](HWND hBox) { buttons = CModalDriver::Buttons(hBox); }),
                         CModalDriver::PressEscape(), CModalDriver::Wait(300), CModalDriver::Click(24)});
    EXPECT_EQ(24, RichMessageBox(NULL, L"Custom", L"Custom", MB_OKCANCEL | MB_NOSOUND, &params));
    EXPECT_EQ((std::vector<int>{23, 24}), Ids(buttons));
    EXPECT_EQ((std::vector<std::wstring>{L"A", L"B"}), Captions(buttons));
}

// A default index past the last button makes the first one the default.
TEST(RichMessageBox, DefaultIndexPastTheButtonsGivesTheFirst)
{
    for (UINT nDefault : {0x100u, 0x500u})
    {
        std::vector<BoxButton> buttons;
        CModalDriver driver({CModalDriver::Run([&](HWND hBox) { buttons = CModalDriver::Buttons(hBox); }),
                             CModalDriver::Click(IDIGNORE)});
        RichMessageBox(NULL, L"Default", L"Default", MB_ABORTRETRYIGNORE | nDefault | MB_NOSOUND);
        ASSERT_EQ(3u, buttons.size());
        const int nExpected = nDefault == 0x100u ? 1 : 0;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(i == nExpected, buttons[i].isDefault) << std::hex << nDefault << " button " << i;
    }
}

// The check box below the buttons moves them up by 24 pixels.
TEST(RichMessageBox, CheckBoxBelowMovesTheButtonsUp)
{
    int nGap[2] = {0, 0};
    for (int nBelow = 0; nBelow < 2; ++nBelow)
    {
        CModalDriver driver({CModalDriver::Run([&](HWND hBox) {
                                 const std::vector<BoxButton> buttons = CModalDriver::Buttons(hBox);
                                 ASSERT_EQ(1u, buttons.size());
                                 nGap[nBelow] = ClientHeight(hBox) - buttons[0].rect.top;
                                 ASSERT_NE(nullptr, CheckBoxOf(hBox));
                             }),
                             CModalDriver::Click(IDOK)});
        RichMessageBox(NULL, L"Check", L"Check", MB_OK | MB_DONOTSHOWAGAIN | MB_NOSOUND | (nBelow ? MB_CHECKBOXBELOW : 0));
    }
    EXPECT_EQ(24, nGap[1] - nGap[0]);
}

// A ticked check box stores the answer under the company and the program's
// name; the next box with the same value returns it without a window.
TEST(RichMessageBox, RememberedAnswerReturnsWithoutAWindow)
{
    DeleteAnswerKeys();
    MessageBoxParams params;
    params.lpszCompany = kCompany;
    params.lpszCheckValuePrefix = L"Ask";
    params.nCheckValueNumber = 3;
    {
        CModalDriver driver({CModalDriver::Run([](HWND hBox) {
                                 ::SendMessageW(CheckBoxOf(hBox), BM_CLICK, 0, 0);
                             }),
                             CModalDriver::Click(IDYES)});
        EXPECT_EQ(IDYES, RichMessageBox(NULL, L"Remember?", L"Remember", MB_YESNO | MB_DONOTSHOWAGAIN | MB_NOSOUND,
                                        &params));
    }
    const std::wstring key = AnswerKey();
    DWORD dwValue = 0, dwType = 0, cb = sizeof(dwValue);
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Ask3", RRF_RT_ANY, &dwType, &dwValue,
                                            &cb));
    EXPECT_EQ((DWORD)REG_DWORD, dwType);
    EXPECT_EQ(6u, dwValue);
    {
        CModalDriver driver({CModalDriver::Click(IDNO)});
        EXPECT_EQ(IDYES, RichMessageBox(NULL, L"Remember?", L"Remember", MB_YESNO | MB_DONOTSHOWAGAIN | MB_NOSOUND,
                                        &params));
        EXPECT_EQ(0, driver.Creations());
    }
    DeleteAnswerKeys();
}

// A time-out shows "OK = 1" on the default button and presses it about a
// second later.
TEST(RichMessageBox, TimeoutPressesTheDefaultButton)
{
    MessageBoxParams params;
    params.nTimeout = 1;
    std::wstring caption;
    CModalDriver driver({CModalDriver::Run([&](HWND hBox) { caption = CModalDriver::Caption(::GetDlgItem(hBox, IDOK)); })});
    const DWORD dwStart = ::GetTickCount();
    EXPECT_EQ(IDOK, RichMessageBox(NULL, L"Soon", L"Timeout", MB_OK | MB_NOSOUND, &params));
    const DWORD dwElapsed = ::GetTickCount() - dwStart;
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(L"OK = 1", caption);
    EXPECT_GE(dwElapsed, 700u);
    EXPECT_LE(dwElapsed, 5000u);
}

// A disabled period counted in the caption: every button but Help disabled
// and Close greyed; at zero they are enabled and the box stays open.
TEST(RichMessageBox, DisabledPeriodCountsDownInTheCaption)
{
    MessageBoxParams params;
    params.nDisabledSeconds = 2;
    params.bCountdownInCaption = TRUE;
    std::wstring captionAtStart;
    std::vector<BoxButton> atStart, atEnd;
    bool bGreyAtStart = false, bGreyAtEnd = true;
    CModalDriver driver(
        {CModalDriver::Run([&](HWND hBox) {
             captionAtStart = CModalDriver::Caption(hBox);
             atStart = CModalDriver::Buttons(hBox);
             bGreyAtStart = CloseIsGrey(hBox);
         }),
         [](HWND hBox) { return CModalDriver::Caption(hBox) == L"Wait"; },
         CModalDriver::Wait(500),
         CModalDriver::Run([&](HWND hBox) {
             atEnd = CModalDriver::Buttons(hBox);
             bGreyAtEnd = CloseIsGrey(hBox);
         }),
         CModalDriver::Click(IDOK)});
    EXPECT_EQ(IDOK, RichMessageBox(NULL, L"Read this first", L"Wait", MB_OKCANCEL | MB_HELP | MB_NOSOUND, &params));
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(L"Wait (2 seconds remaining)", captionAtStart);
    EXPECT_TRUE(bGreyAtStart);
    ASSERT_EQ(3u, atStart.size());
    for (const BoxButton& b : atStart)
        EXPECT_EQ(b.id == IDHELP, b.enabled) << b.id;
    ASSERT_EQ(3u, atEnd.size());
    for (const BoxButton& b : atEnd)
        EXPECT_TRUE(b.enabled) << b.id;
    EXPECT_FALSE(bGreyAtEnd);
}

// "More >>" unfolds the more area: the window grows by its height and the
// button reads "<< More"; pressed again it folds back.
TEST(RichMessageBox, MoreUnfoldsTheMoreArea)
{
    MessageBoxParams params;
    params.lpszMore = L"The details<br>on two lines";
    RECT rcFolded = {}, rcUnfolded = {}, rcRefolded = {};
    std::wstring folded, unfolded, refolded;
    CModalDriver driver({CModalDriver::Run([&](HWND hBox) {
                             ::GetWindowRect(hBox, &rcFolded);
                             folded = CModalDriver::Caption(::GetDlgItem(hBox, IDMORE));
                         }),
                         CModalDriver::Click(IDMORE), CModalDriver::Run([&](HWND hBox) {
                             ::GetWindowRect(hBox, &rcUnfolded);
                             unfolded = CModalDriver::Caption(::GetDlgItem(hBox, IDMORE));
                         }),
                         CModalDriver::Click(IDMORE), CModalDriver::Run([&](HWND hBox) {
                             ::GetWindowRect(hBox, &rcRefolded);
                             refolded = CModalDriver::Caption(::GetDlgItem(hBox, IDMORE));
                         }),
                         CModalDriver::Click(IDOK)});
    EXPECT_EQ(IDOK, RichMessageBox(NULL, L"Short", L"More", MB_OK | MB_NOSOUND, &params));

    // The more area's height: its document measured in the box's font, plus
    // the margins above and below.
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    HFONT hFont = ::CreateFontIndirectW(&ncm.lfMessageFont);
    HDC hdc = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    CMarkupRenderer renderer;
    SIZE doc = {0, 0};
    renderer.Measure(hdc, params.lpszMore, doc);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(NULL, hdc);
    ::DeleteObject(hFont);

    EXPECT_EQ(L"More >>", folded);
    EXPECT_EQ(L"<< More", unfolded);
    EXPECT_EQ(L"More >>", refolded);
    EXPECT_EQ(doc.cy + 2 * 14, (rcUnfolded.bottom - rcUnfolded.top) - (rcFolded.bottom - rcFolded.top));
    EXPECT_EQ(rcFolded.top, rcUnfolded.top);
    EXPECT_EQ(rcFolded.right - rcFolded.left, rcUnfolded.right - rcUnfolded.left);
    EXPECT_EQ(rcFolded.bottom, rcRefolded.bottom);
}

// With TESMIR_MESSAGE_LOG set, each box appends its style and text to the
// file.
TEST(RichMessageBox, MessageLogTakesEveryBox)
{
    const std::wstring path = tesmir::test::BuildPath(L"msgbox-log.txt");
    ::DeleteFileW(path.c_str());
    ::SetEnvironmentVariableW(L"TESMIR_MESSAGE_LOG", path.c_str());
    {
        CModalDriver driver({CModalDriver::Click(IDOK)});
        RichMessageBox(NULL, L"Logged text", L"Log", MB_OK | MB_ICONINFORMATION | MB_NOSOUND);
    }
    ::SetEnvironmentVariableW(L"TESMIR_MESSAGE_LOG", NULL);
    std::ifstream file(path.c_str());
    std::stringstream content;
    content << file.rdbuf();
    EXPECT_NE(std::string::npos, content.str().find("Logged text"));
    EXPECT_NE(std::string::npos, content.str().find("0x40000040"));
    file.close();
    ::DeleteFileW(path.c_str());
}
