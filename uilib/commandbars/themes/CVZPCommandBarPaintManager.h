// The command bars' paint manager: one process-wide instance at a time,
// chosen by a theme-type number.
#pragma once

#include <afxwin.h>

class CVZPCommandBarPaintManager : public CCmdTarget
{
public:
    CVZPCommandBarPaintManager();
    virtual ~CVZPCommandBarPaintManager();

    // Makes a paint manager of the theme type the process-wide one (the
    // previous one is released) and stores the type in it.
    static void SetTheme(int nTheme);

    // The theme type given to SetTheme.
    int m_nThemeType;
};

// The process-wide paint manager; NULL until SetTheme made one. It is
// released at exit.
CVZPCommandBarPaintManager* VZPPaintManager();
