#include "CHtmlHostDlg.h"

CHtmlHostDlg::CHtmlHostDlg() = default;

CHtmlHostDlg::~CHtmlHostDlg() = default;
