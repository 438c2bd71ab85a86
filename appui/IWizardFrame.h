// What the split view needs of the main frame: its wizard-step flags and the
// wizard views. The application's frame implements it; appui never sees the
// application itself.
#pragma once

#include <afxwin.h>

class IWizardFrame
{
public:
    // The frame's wizard-step flags, by index.
    enum WizardStep
    {
        StepDrive = 0,             // the drive step holds results
        StepScan = 1,              // the scan step holds results
        StepResults = 2,           // results of a Quick Scan or File Trace
        StepExtensiveResults = 3,  // results of an Extensive Scan
        StepResultsShown = 4,      // the results are on screen
        StepCount = 5
    };

    // Whether the flag of that step is set.
    virtual BOOL IsWizardStepSet(int nStep) const = 0;
    // The wizard view of an index as the application switches views (0 start
    // page, 1 drive step, 2 scan step, 3 file-system step, 4 recovery step);
    // NULL when there is none.
    virtual CView* GetWizardView(int nIndex) const = 0;

protected:
    ~IWizardFrame() = default;
};
