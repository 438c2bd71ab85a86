// A form view that only shows a solid background (template 193). Created by
// run-time class only; nothing in the program creates it.
#pragma once

#include <afxwin.h>
#include <afxext.h>

class CScanningProgress : public CFormView
{
    DECLARE_DYNCREATE(CScanningProgress)
public:
    CScanningProgress();
    ~CScanningProgress() override;

    void OnInitialUpdate() override;

    // The background the view paints on its initial update.
    static const COLORREF kBackground = RGB(189, 210, 255);

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
