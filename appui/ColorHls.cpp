#include "ColorHls.h"

#include <algorithm>

namespace {

int HueToValue(double m1, double m2, double dHue)
{
    if (dHue > 360)
        dHue -= 360;
    else if (dHue < 0)
        dHue += 360;
    double v;
    if (dHue < 60)
        v = m1 + (m2 - m1) * dHue / 60;
    else if (dHue < 180)
        v = m2;
    else if (dHue < 240)
        v = m1 + (m2 - m1) * (240 - dHue) / 60;
    else
        v = m1;
    return (int)(v * 255);
}

int Adjust(int v, int nPercent)
{
    if (nPercent > 0)
        return v + (255 - v) * nPercent / 100;
    if (nPercent < 0)
        return v * (100 + nPercent) / 100;
    return v;
}

}  // namespace

DWORD RGBToHLS(COLORREF cr)
{
    int r = GetRValue(cr);
    int g = GetGValue(cr);
    int b = GetBValue(cr);
    int nMax = std::max({ r, g, b });
    int nMin = std::min({ r, g, b });
    double l = (nMax + nMin) / 510.0;
    double h = 0;
    double s = 0;
    if (nMax != nMin)
    {
        double d = nMax - nMin;
        s = l <= 0.5 ? d / (nMax + nMin) : d / (510 - nMax - nMin);
        double rc = (nMax - r) / d;
        double gc = (nMax - g) / d;
        double bc = (nMax - b) / d;
        if (b == nMax)
            h = 60 * (4 + gc - rc);
        else if (g == nMax)
            h = 60 * (2 + rc - bc);
        else
            h = 60 * (6 + bc - gc);
        if (h > 360)
            h -= 360;
    }
    DWORD dwH = (DWORD)(h * 255 / 360);
    DWORD dwL = (DWORD)(l * 255);
    DWORD dwS = (DWORD)(s * 255);
    return dwH | dwL << 8 | dwS << 16;
}

COLORREF HLSToRGB(DWORD dwHLS)
{
    int nL = (dwHLS >> 8) & 0xFF;
    double s = ((dwHLS >> 16) & 0xFF) / 255.0;
    if (s == 0)
        return RGB(nL, nL, nL);
    double l = nL / 255.0;
    double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    double m1 = 2 * l - m2;
    double dHue = (dwHLS & 0xFF) * 360.0 / 255;
    return RGB(HueToValue(m1, m2, dHue + 120), HueToValue(m1, m2, dHue), HueToValue(m1, m2, dHue - 120));
}

COLORREF AdjustLightSaturation(COLORREF cr, int nLightPercent, int nSaturationPercent)
{
    DWORD dwHLS = RGBToHLS(cr);
    int nL = Adjust((dwHLS >> 8) & 0xFF, nLightPercent);
    int nS = Adjust((dwHLS >> 16) & 0xFF, nSaturationPercent);
    return HLSToRGB((dwHLS & 0xFF) | (DWORD)nL << 8 | (DWORD)nS << 16);
}
