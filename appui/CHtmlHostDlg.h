// The empty child dialog on which the HTML preview is shown.
#pragma once

#include <afxwin.h>

#include "appuires.h"

// Created modeless from IDD_HTML_HOST (a transparent child without controls)
// as a child of the preview view.
class CHtmlHostDlg : public CDialog
{
public:
    enum { IDD = IDD_HTML_HOST };
    CHtmlHostDlg();
    ~CHtmlHostDlg() override;
};
