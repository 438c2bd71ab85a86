// The wizard side of the Extensive Scan and of the extraction after it: the
// scan step's panel and Stop button, the file-system step's tree and panel,
// and the recovery step's result tree. Every call comes from the worker
// thread and acts through window messages.
#pragma once

#include <afxcmn.h>

#include "extensive/ExtensiveScanShell.h"

class CFileSystemForm;
class CFileSystemTreeCtrl;
class CFolderTreeCtrl;
class CSecondDisplay;

class CExtensiveScanWizardShell : public CExtensiveScanShell
{
public:
    CExtensiveScanWizardShell(CSecondDisplay* pPanel, CFileSystemTreeCtrl* pFileSystems, CFileSystemForm* pForm,
                              CFolderTreeCtrl* pTree);

    // The scan step's counter captions of an Extensive Scan over FAT or
    // NTFS structures, values cleared.
    static void SetCounterCaptions(CSecondDisplay& panel, BOOL bNtfs);

    void SetProgress(int position) override;
    void SetStatusText(const wchar_t* text) override;
    void SetCounter(ExtensiveCounter counter, uint64_t value) override;
    void ShowStopButton(int show) override;
    void AddFileSystemRoot() override;
    uint32_t AddFileSystemItem(const wchar_t* text) override;
    void ExpandFileSystemRoot() override;
    void SetExtractionProgress(int position) override;
    void SetExtractionStatusText(const wchar_t* text) override;
    void BeginTreeBuild() override;
    void BuildFatTree() override;
    void BuildNtfsTree() override;

    // "Stop" of the scan step and of the file-system step (either may be null).
    CWnd* m_pScanStopButton = NULL;
    CWnd* m_pFileSystemStopButton = NULL;

private:
    CSecondDisplay* m_pPanel;
    CFileSystemTreeCtrl* m_pFileSystems;
    CFileSystemForm* m_pForm;
    CFolderTreeCtrl* m_pTree;
    HTREEITEM m_hFileSystemRoot = NULL;
};
