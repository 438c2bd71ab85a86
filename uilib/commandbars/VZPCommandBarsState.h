// What a saved or loaded command-bar model carries besides the bars: the
// choices of the caller, handed to every object of the exchange as the
// exchange's extra data.
#pragma once

#include <afxwin.h>

class CVZPCommandBars;

struct VZPCommandBarsStateOptions
{
    BOOL bSaveOnlyCustomized;        // only bars that differ from the program's defaults
    BOOL bSilent;                    // merging never asks the user
    BOOL bIncludeDefaultControls;    // the collections' default sets go along
    CVZPCommandBars* pCommandBars;
};

// Popup bars written without an id of their own are numbered from here, so
// that popup controls can name them.
const UINT VZP_FIRST_GENERATED_BAR_ID = 0x1000000;
