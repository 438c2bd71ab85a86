#include "CVZNonClientMetrics.h"

#include <string.h>

CVZNonClientMetrics::CVZNonClientMetrics()
{
    NONCLIENTMETRICSW* pMetrics = this;
    memset(static_cast<void*>(pMetrics), 0, kMetricsSize);
    cbSize = kMetricsSize;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kMetricsSize, pMetrics, 0);
}
