// The wizard's first steps driven inside the test program: the program's
// application object started once, the views by index, and helpers that
// put an image on the start page, run a mode and wait for the partition
// search.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

#include "CEx_StyleView.h"
#include "CFirstDisplay.h"
#include "CFirstView_HDD.h"
#include "CSecondView_HDD.h"
#include "StartupTestSupport.h"

CEx_StyleView* StartPage();
CFirstView_HDD* DriveStep();
CSecondView_HDD* ScanStep();

// Back on the start page with every list freed and no worker left.
void ResetWizard();

// Types the path into the start page's edit and runs the mode's command
// (131 Quick Scan, 133 Extensive Scan, 132 File Trace) as the button does.
void RunMode(const std::wstring& path, UINT nCommand);

// Pumps until the partition search's worker has ended and the timer has
// handled it.
bool WaitSearchEnded(DWORD timeoutMs = 120000);

// The "Partition Type" dialog of this process's worker, or null.
HWND FindPartitionTypeDialog();
// Pumps until it shows; null when it did not within the time.
HWND WaitPartitionTypeDialog(DWORD timeoutMs = 60000);

// The texts of an item's children (the root items for TVI_ROOT).
std::vector<std::wstring> ChildTexts(CTreeCtrl& tree, HTREEITEM hParent);
HTREEITEM FindChild(CTreeCtrl& tree, HTREEITEM hParent, const wchar_t* text);

// The partitions with a FAT or NTFS description in an mmls listing of the
// fixtures: start and length in sectors.
struct MmlsPartition
{
    uint64_t start;
    uint64_t length;
    std::wstring description;
};
std::vector<MmlsPartition> FileSystemPartitions(const wchar_t* mmlsName);

// A copy of a fixture under the temp folder with another name; deleted with
// the object. The fixture itself is never written.
class CTempImage
{
public:
    CTempImage(const wchar_t* fixture, const wchar_t* name);
    ~CTempImage();
    const std::wstring& path() const { return m_path; }
    bool ok() const { return m_ok; }
    // Zeroes the geometry of a VHD's footer (both copies of a dynamic
    // image) and writes the footer's checksum again.
    bool ZeroVhdGeometry();

private:
    std::wstring m_path;
    bool m_ok = false;
};

// A file of plain bytes (no image) under the temp folder.
class CTempFile
{
public:
    CTempFile(const wchar_t* name, const std::string& bytes);
    ~CTempFile();
    const std::wstring& path() const { return m_path; }

private:
    std::wstring m_path;
};

// A fixed VHD of zero sectors (no partition table, no file system) with
// its footer: the bytes of the file.
std::string BlankFixedVhd(uint32_t sectors);

// Saves what the screen shows of the frame as screenshots/<name>.bmp.
void SaveFrameScreenshot(const wchar_t* name);
