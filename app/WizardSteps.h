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
