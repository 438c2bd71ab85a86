// The look the themed static and edit share: the paint manager's regular
// font at creation and a flat one-pixel frame in the non-client area.
#pragma once

#include <afxwin.h>

// What a themed control does after its base window procedure handled a
// message: WM_CREATE sets the font, WM_NCCALCSIZE keeps a one-pixel border,
// WM_NCPAINT draws it; other messages keep the base result.
LRESULT VZPThemedControlAfterBase(CWnd* pWnd, UINT message, LPARAM lParam, LRESULT lBaseResult);

template <class TBase>
class CVZPThemedControl : public TBase
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return VZPThemedControlAfterBase(this, message, lParam, TBase::WindowProc(message, wParam, lParam));
    }
};
