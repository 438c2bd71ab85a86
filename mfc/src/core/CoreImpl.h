// Helpers shared by the core classes' implementation files.
#pragma once
#include <afx.h>

// strftime into a CString; "" for a NULL tm or an empty format.
CString AFXAPI _AfxFormatTm(LPCTSTR pFormat, const struct tm* ptm);
