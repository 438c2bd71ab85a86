// The edit window of an edit box on a command bar. The frame lets it have
// every key but Tab, Enter and Esc unfiltered, and offers it the frame's
// commands while it has the focus.
#pragma once

#include <afxwin.h>

class CVZPEdit : public CEdit
{
    DECLARE_DYNCREATE(CVZPEdit)
public:
    CVZPEdit();
    ~CVZPEdit() override;

    // The frame's command while the edit has the focus; TRUE when handled.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    BOOL m_bComposited;   // IME composition in progress
};
