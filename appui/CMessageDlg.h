// The two boxes every message of the program goes through (the message
// sink's text and kind): CMessageDlg with one OK button, CYesNoDlg with Yes
// and No. DoModal goes through the sink, so whoever presents the sink's boxes
// (these dialogs once InstallMessageDialogs ran, or a test's recorder)
// answers; ShowBox is what the installed presenter runs: the HTML message box
// for the three message kinds, the dialog's own skinned form for any other.
#pragma once

#include <afxwin.h>

#include "CTransparentStatic.h"

#include <string>

struct MessageBoxParams;

// The caption of every message box of the program.
extern const wchar_t kMessageBoxCaption[];
// The parameter block both dialogs hand to the HTML message box: defaults,
// with a flat light grey background (effect 12 with three equal colours).
MessageBoxParams MessageDialogParams();
// The icon style of a message kind; 0 for a kind outside the three.
UINT MessageKindIcon(int nKind);

// The skinned form's background: the skin bitmap drawn at its own size from
// the client area's top-left corner. Shared by both dialogs.
class CMessageSkin
{
public:
    CMessageSkin();
    ~CMessageSkin();
    CMessageSkin(const CMessageSkin&) = delete;
    CMessageSkin& operator=(const CMessageSkin&) = delete;
    // FALSE when there is no bitmap or no memory device context (the default
    // erase should run).
    BOOL Draw(CDC* pDC) const;

private:
    HBITMAP m_hBitmap;
};

class CMessageDlg : public CDialog
{
public:
    explicit CMessageDlg(CWnd* pParent = NULL);

    // Shows the message sink's text and kind through the sink; 1 for OK, 2
    // when the box was closed otherwise.
    INT_PTR DoModal() override;
    // The box itself: by g_nMessageKind, an OK box with that kind's icon, or
    // the skinned form. 1 for OK, 2 otherwise.
    INT_PTR ShowBox();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

public:
    // What the box shows: the sink's text and kind when the dialog was made.
    std::wstring m_strText;
    int m_nKind;

protected:

    CStatic m_icon;
    CButton m_ok;
    CTransparentStatic m_text;
    CMessageSkin m_skin;
};

// Installs the presenter that shows the message sink's boxes in the dialogs
// above (a question in CYesNoDlg, anything else in CMessageDlg). The
// application calls it once at start-up; until then the system's plain box
// shows them.
void InstallMessageDialogs();
