// The program's message box: an HTML-subset header, message and more text
// drawn by markup renderers on effect backgrounds, further button sets and
// custom buttons, Help and Report buttons, a "Do not show again" check box
// whose answer is remembered in the registry, a time-out and a period with
// disabled buttons. Modal on the calling thread (worker threads included).
#pragma once

#include <afx.h>

#include <map>
#include <vector>

#include "markup/CMarkupRenderer.h"

// Button sets and style bits beyond the system box's.
#ifndef MB_CONTINUEABORT
#define MB_CONTINUEABORT            0x00000007L
#endif
#define MB_SKIPSKIPALLCANCEL        0x00000008L
#define MB_IGNOREIGNOREALLCANCEL    0x00000009L
#define MB_DONOTSHOWAGAIN           0x01000000L
#define MB_CHECKBOXCHECKED          0x02000000L
#define MB_CHECKBOXBELOW            0x04000000L
#define MB_YESTOALL                 0x08000000L
#define MB_NOTOALL                  0x10000000L
#define MB_NORESOURCE               0x20000000L
#define MB_NOSOUND                  0x40000000L

// Button ids beyond the system box's.
#define IDSKIP          14
#define IDSKIPALL       15
#define IDIGNOREALL     16
#define IDYESTOALL      19
#define IDNOTOALL       20
#define IDREPORT        21
#define IDCUSTOM1       23
#define IDCUSTOM2       24
#define IDCUSTOM3       25
#define IDCUSTOM4       26
#define IDLESS          30
#define IDMORE          31
#define IDCHECKBOX      0x01000000
#define IDCOUNTDOWN     0x80000000

// Asks the box to redraw its texts (a renderer's hot link changed).
#define WM_RICHMSGBOX_REDRAW    0x8064

// The look of one horizontal area of the box.
struct MessageBoxAreaStyle
{
    MessageBoxAreaStyle();
    int nSeparator;            // 0 none, 1 etched, 2 black, 3 white line on the top edge
    int nSeparatorAlign;       // 0 left, 1 right, 2 centre
    LPCTSTR lpszSeparatorText; // text or string id
    int nEffect;               // -1 button face, else a fill effect number
    COLORREF crStart;
    COLORREF crMiddle;
    COLORREF crEnd;
};

// Everything a box can be given; the constructor fills the defaults.
struct MessageBoxParams
{
    MessageBoxParams();
    HWND hwndOwner;
    HINSTANCE hInstanceStrings;
    HINSTANCE hInstanceIcon;
    LPCTSTR lpszCaption;
    LPCTSTR lpszCheckValuePrefix;
    LPCTSTR lpszCompany;
    int nCheckValueNumber;
    UINT nReportMessage;
    MessageBoxAreaStyle asDialog;
    int nHeaderHeight;
    LPCTSTR lpszHeader;
    MessageBoxAreaStyle asHeader;
    LPCTSTR lpszText;
    int nButtonAlign;
    UINT dwStyle;
    MessageBoxAreaStyle asButtons;
    LPCTSTR lpszMore;
    MessageBoxAreaStyle asMore;
    int nTimeout;
    int nDisabledSeconds;
    BOOL bCountdownInCaption;
    DWORD dwHelpContextId;
    LPCTSTR lpszIcon;
    LPCTSTR lpszCustomButtons;
    LPCTSTR lpszCheckBoxText;
    const std::map<UINT, LPCTSTR>* pButtonCaptions;
};

int RichMessageBox(HWND hwndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nStyle,
                   const MessageBoxParams* pParams = NULL);
int RichMessageBoxIndirect(const MessageBoxParams* pParams);

// The object behind one box.
class CRichMessageBox
{
public:
    explicit CRichMessageBox(const MessageBoxParams& params);
    virtual ~CRichMessageBox();
    CRichMessageBox(const CRichMessageBox&) = delete;
    CRichMessageBox& operator=(const CRichMessageBox&) = delete;

    // Runs the box; the pressed button's id (with MB_CHECKBOXCHECKED added
    // when asked for and ticked), or 2 when no dialog could be made.
    int DoModal();
    // Paints the client area into hdc (WM_PAINT and WM_PRINTCLIENT).
    void PaintTo(HDC hdc);

private:
    struct Button
    {
        UINT id;
        HWND hWnd;
        CString caption;
    };

    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    // Destroys the buttons and the check box with its label.
    void DestroyControls();
    void BuildControls();
    void LayoutControls();
    void OnCommand(UINT nId);
    void OnTimer();
    void ToggleMore();
    void EndBox(int nResult);
    CString ResolveText(LPCTSTR lpszTextOrId) const;
    CString ButtonCaption(UINT nId) const;
    Button* FindButton(UINT nId);
    Button* DefaultButton();
    void ShowCountdown();
    void EnableCloseItem(BOOL bEnable);
    int TextWidth(HDC hdc, const CString& text) const;
    HBITMAP BuildBackground(int cx, int cy);
    void FillArea(HDC hdc, const RECT& rc, const MessageBoxAreaStyle& style);
    void DrawSeparator(HDC hdc, const RECT& rc, const MessageBoxAreaStyle& style, const CString& text);
    void Remember(int nResult) const;

    std::vector<Button> m_buttons;
    BOOL m_bCheckBox;
    HWND m_hCheckBox;
    HWND m_hCheckLabel;
    int m_cxButton;
    int m_cyButton;
    HICON m_hIcon;
    MessageBoxParams m_params;
    int m_nDefault;
    HFONT m_hFont;
    int m_cyHeader;
    int m_cyMessage;
    int m_cyButtons;
    int m_cyMore;
    BOOL m_bCancelAllowed;
    BOOL m_bUnfolded;
    int m_nSecondsLeft;
    CString m_strCountdownFormat;
    CString m_strHeaderSeparator;
    CString m_strButtonSeparator;
    CString m_strMoreSeparator;
    CString m_strMessage;
    CString m_strCaption;
    CString m_strHeader;
    CString m_strMore;
    CString m_strLess;
    CString m_strMoreCaption;
    CString m_strDefaultCaption;
    CMarkupRenderer m_header;
    CMarkupRenderer m_message;
    CMarkupRenderer m_moreText;
    HBITMAP m_hBackground;
    HWND m_hWnd;
};
