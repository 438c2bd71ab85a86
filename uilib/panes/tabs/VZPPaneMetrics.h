// Text metrics shared by the panes' paint managers.
#pragma once

#include <afxwin.h>

// Height of " " in the font on a desktop window DC; a font without a handle
// selects nothing and the DC's own font is measured.
int VZPMeasureSpaceHeight(CFont* pFont);
