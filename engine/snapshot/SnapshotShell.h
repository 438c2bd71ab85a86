// What the snapshot commands need of the wizard: the file dialogs, the
// loading progress dialog, the recovery step's tree, list and buttons, the
// wizard's step flags and views, and the logical drive list. The main frame
// implements it; tests record what it is told. The defaults do nothing,
// except ChooseFile, which shows the plain file dialog.
#pragma once

#include <windows.h>

#include <string>

class CSnapshotShell
{
public:
    virtual ~CSnapshotShell() {}

    // A modal open or save dialog owned by the main frame. Returns true with
    // the chosen path (the last one when several were chosen) on OK.
    virtual bool ChooseFile(bool save, const std::wstring& defaultName, DWORD flags, const wchar_t* filter,
                            const wchar_t* title, std::wstring& path);

    // The loading progress dialog, owned by the recovery view: created and
    // shown with a text (may be empty), range 0 to 100.
    virtual void BeginProgress(const wchar_t* text) { (void)text; }
    virtual void SetProgressText(const wchar_t* text) { (void)text; }
    virtual void SetProgress(int position) { (void)position; }
    virtual void EndProgress() {}

    // The drive step's Back command.
    virtual void DriveStepBack() {}

    // The main frame's wizard-step flags (index 0 to 4): SetStepFlag sets
    // one; ResetStepFlags sets the first and clears the others.
    virtual void SetStepFlag(int index) { (void)index; }
    virtual void ResetStepFlags() {}

    // Recovery step: the result list's columns for a mode (its old columns
    // deleted first),
    // "Home" and "Recover selected files and folders" shown and enabled,
    // "Back" disabled and hidden.
    virtual void SetResultColumns(int scanMode) { (void)scanMode; }
    virtual void ShowRecoveryButtons() {}
    virtual void HideBackButton() {}

    // Rebuilds the result tree and the first list from the loaded lists:
    // "Root" at the top, FAT folders from cluster 0 or NTFS folders from
    // record 5 (everything marked) or the hits' type folders, the list
    // switched to its report style and filled for the root.
    virtual void BuildFatTree() {}
    virtual void BuildNtfsTree() {}
    virtual void BuildTraceTree() {}

    // Whether previews and "Recover" may read the open source: off while
    // the loaded results have no matching image or volume to read.
    virtual void EnableRecovery(bool enable) { (void)enable; }

    // The drive name ("X:") of the logical volume at a partition index;
    // empty when there is none.
    virtual std::wstring LogicalDriveName(unsigned partitionIndex)
    {
        (void)partitionIndex;
        return std::wstring();
    }

    // Makes the recovery view the frame's active view, focuses the result
    // tree and switches the wizard to the recovery step.
    virtual void ShowRecoveryStep() {}
};
