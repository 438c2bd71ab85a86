// What the partition search needs from the wizard's drive step and device
// tree: the Partition Type question, the panel's progress, status and wait
// texts, the tree's partition items and the disk's geometry. The application
// installs its implementation; without one the calls do nothing and the
// geometry comes from the open image.
#pragma once

#include <stdint.h>

class CDriveStepHost
{
public:
    virtual ~CDriveStepHost() {}

    // Shows the modal "Partition Type" dialog; its OK sets g_SearchPartitions.
    virtual void AskPartitionType() {}
    // Drive step panel: progress (0 to 99), status line and wait label.
    virtual void SetProgress(int position) { (void)position; }
    virtual void SetStatusText(const wchar_t* text) { (void)text; }
    virtual void SetWaitText(const wchar_t* text) { (void)text; }
    // Device tree: an item under the root-level item named parentText (made
    // first when missing), and the expansion of the root item.
    virtual void AddPartitionItem(const wchar_t* parentText, const wchar_t* itemText)
    {
        (void)parentText;
        (void)itemText;
    }
    virtual void ExpandRoot() {}
    // Cylinders, heads and sectors per track the device tree keeps for a disk
    // (all 0 when it keeps none). The default takes a VHD image's footer.
    virtual void GetDiskGeometry(int diskIndex, uint32_t* cylinders, uint32_t* heads,
                                 uint32_t* sectorsPerTrack);
};

// Installs the host (null: the default above); returns the previous one.
CDriveStepHost* SetDriveStepHost(CDriveStepHost* host);
CDriveStepHost& DriveStepHost();
