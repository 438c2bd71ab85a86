#include "trace/FileTraceSearch.h"

#include <string>

#include "fat/ScanPanelHost.h"
#include "state/EngineState.h"
#include "trace/SignatureSearch.h"
#include "trace/TraceHit.h"
#include "volume/VolumeParamsReader.h"

int g_ParamsSearchFailed;

namespace {

void ShowBatch(void*, uint32_t first, uint32_t end)
{
    if (g_ShowScanProgress != 1)
        return;
    CScanPanelHost& panel = ScanPanelHost();
    panel.SetCurrentSector(first);
    panel.SetFoldersFound(0);
    panel.SetStatusText((L"Reading Sector " + std::to_wstring(first) + L" Of " + std::to_wstring(end)).c_str());
}

void ShowProgress(void*, int percent) { ScanPanelHost().SetProgress(percent); }

void ShowHit(void*, const TraceHit* hit)
{
    if (g_ShowScanProgress != 1)
        return;
    ScanPanelHost().SetFilesFound(hit->hitNumber);
    ScanPanelHost().SetLastItem(hit->name);
}

}  // namespace

int FileTraceSearch()
{
    g_ParamsSearchFailed = 0;
    int r = ReadVolumeParams();
    g_ScanStop = 0;
    g_ScanBusy = 1;
    if (r == 0) {
        ScanPanelHost().SetStatusText(L"Please wait, Calculating partition parameters...");
        if (SearchFatParams() == 0) {
            // The step stays usable without a finished scan.
            g_ScanBusy = 1;
            g_ScanStop = 0;
            g_ParamsSearchFailed = 1;
            return 0;
        }
    }
    CScanPanelHost& panel = ScanPanelHost();
    panel.SetFoldersFound(0);
    panel.SetFilesFound(0);
    panel.SetCurrentSector(0);
    panel.SetLastItem(L"");
    panel.SetStatusText(L"Please wait, Searching for Data...");
    const TraceSearchObserver observer = {nullptr, &ShowBatch, &ShowProgress, &ShowHit};
    SearchSignatures(&observer, nullptr);
    return 1;
}
