#include "CScanStepPanelHost.h"

#include "CSecondDisplay.h"

#include <stdio.h>

namespace {
// Value rows of the Quick Scan counters.
enum { RowFolders = 0, RowFiles = 1, RowSector = 2, RowLastItem = 3 };
}

CScanStepPanelHost::CScanStepPanelHost(CSecondDisplay* pPanel) : m_pPanel(pPanel) {}

void CScanStepPanelHost::SetProgress(int position) { m_pPanel->SetProgress(position); }

void CScanStepPanelHost::SetStatusText(const wchar_t* text) { m_pPanel->SetStatusText(text); }

void CScanStepPanelHost::SetValue(int row, const wchar_t* text)
{
    m_pPanel->m_counterValue[row].SetWindowText(text);
}

void CScanStepPanelHost::SetNumber(int row, uint64_t value)
{
    wchar_t text[24];
    swprintf(text, 24, L"%llu", (unsigned long long)value);
    SetValue(row, text);
}

void CScanStepPanelHost::SetFoldersFound(uint32_t count) { SetNumber(RowFolders, count); }

void CScanStepPanelHost::SetFilesFound(uint32_t count) { SetNumber(RowFiles, count); }

void CScanStepPanelHost::SetCurrentSector(uint64_t sector) { SetNumber(RowSector, sector); }

void CScanStepPanelHost::SetLastItem(const wchar_t* name) { SetValue(RowLastItem, name); }
