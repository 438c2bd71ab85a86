// What the wizard's Back commands share.
#pragma once

// Frees every engine result list (entries, Extensive Scan lists, trace hits,
// chosen signatures) in the order the Back commands use.
void FreeWizardResults();

#include <string>
#include <vector>

// The drive name ("X:") of the logical drive list's entry at a partition
// index (each entry begins with the drive letter and a colon); empty when
// there is none.
std::wstring LogicalDriveNameAt(const std::vector<std::wstring>& drives, unsigned partitionIndex);

class CToolButton;
class CWnd;

// One of a step's bitmap buttons: its control id, its normal and hover
// bitmaps and its tooltip.
struct StepButton
{
    CToolButton* button;
    unsigned id;
    unsigned normal;
    unsigned hover;
    const wchar_t* tip;
};

// Creates a step's buttons as visible owner-drawn children of the step, to be
// placed by the step's layout.
void CreateStepButtons(CWnd* pStep, const StepButton* buttons, size_t count);
