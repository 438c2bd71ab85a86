#include "fat/ScanPanelHost.h"

namespace {

CScanPanelHost g_defaultHost;
CScanPanelHost* g_host = nullptr;

}  // namespace

CScanPanelHost* SetScanPanelHost(CScanPanelHost* host)
{
    CScanPanelHost* previous = g_host;
    g_host = host;
    return previous;
}

CScanPanelHost& ScanPanelHost() { return g_host ? *g_host : g_defaultHost; }
