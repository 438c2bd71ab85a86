#include "VZPColorSpace.h"

#include <math.h>

namespace {

// Channel factors of the weighted space and back, as doubles.
const double kToRed = 0.7647058823529411;     // 195 / 255
const double kToGreen = 1.5294117647058822;   // 390 / 255
const double kToBlue = 0.2549019607843137;    // 65 / 255
const double kFromRed = 1.3076923076923077;   // 255 / 195
const double kFromGreen = 0.6538461538461539; // 255 / 390
const double kFromBlue = 3.923076923076923;   // 255 / 65
const double kRedRange = 195.0;
const double kGreenRange = 390.0;
const double kBlueRange = 65.0;
// The brightness that stands for white in the direction decision.
const double kWhiteBrightness = 442.0;
// 1/220 in single precision: the scaled thresholds depend on its rounding.
const float kThresholdSlope = 0.0045454544f;

struct Weighted
{
    double r, g, b;
};

Weighted ToWeighted(COLORREF clr)
{
    return { GetRValue(clr) * kToRed, GetGValue(clr) * kToGreen, GetBValue(clr) * kToBlue };
}

int ToChannel(double dValue, double dRange, double dFactor)
{
    if (dValue < 0.0)
        dValue = 0.0;
    else if (dValue > dRange)
        dValue = dRange;
    const int n = int(dValue * dFactor + 0.5);
    return n < 0 ? 0 : (n > 255 ? 255 : n);
}

COLORREF FromWeighted(const Weighted& w)
{
    return RGB(ToChannel(w.r, kRedRange, kFromRed), ToChannel(w.g, kGreenRange, kFromGreen),
               ToChannel(w.b, kBlueRange, kFromBlue));
}

double Dot(const Weighted& a, const Weighted& b)
{
    return a.r * b.r + a.g * b.g + a.b * b.b;
}

double Length(const Weighted& w)
{
    return sqrt(Dot(w, w));
}

Weighted Minus(const Weighted& a, const Weighted& b)
{
    return { a.r - b.r, a.g - b.g, a.b - b.b };
}

Weighted Scaled(const Weighted& w, double d)
{
    return { w.r * d, w.g * d, w.b * d };
}

// The complement moves white to the origin.
Weighted Complement(const Weighted& w)
{
    return { kRedRange - w.r, kGreenRange - w.g, kBlueRange - w.b };
}

}  // namespace

float ScaleContrastThreshold(COLORREF clrRef, double dThreshold)
{
    int nBrightness = int(Length(ToWeighted(clrRef)));
    if (nBrightness > 220)
        nBrightness = 220;
    return (2.0f - float(nBrightness) * kThresholdSlope) * float(int(dThreshold));
}

BOOL IsColorDistanceAbove(COLORREF clrA, COLORREF clrB, BOOL bScale, double dThreshold)
{
    const double dLimit = bScale ? double(ScaleContrastThreshold(clrA, dThreshold)) : dThreshold;
    const Weighted d = Minus(ToWeighted(clrA), ToWeighted(clrB));
    return Dot(d, d) > dLimit * dLimit;
}

COLORREF PushColorAway(COLORREF clrRef, COLORREF clr, double dThreshold)
{
    const double dLimit = ScaleContrastThreshold(clrRef, dThreshold);
    Weighted ref = ToWeighted(clrRef);
    Weighted c = ToWeighted(clr);
    const double dRefBrightness = Length(ref);
    // Move towards the end of the scale that has room for the whole distance.
    const bool bTowardWhite = Length(c) > dRefBrightness ? dRefBrightness <= kWhiteBrightness - dLimit
                                                          : !(dRefBrightness > dLimit);
    if (bTowardWhite)
    {
        ref = Complement(ref);
        c = Complement(c);
    }
    double dLength = Length(c);
    if (dLength < 0.001)
        dLength = 0.001;
    const double dDot = Dot(ref, c);
    const double dAlong = dDot / dLength;   // ref projected on the ray through c
    const Weighted across = Minus(ref, Scaled(c, dDot / (dLength * dLength)));
    // A colour exactly at the threshold can give a radicand a rounding below
    // zero; its root is then 0.
    double dRadicand = dLimit * dLimit - Dot(across, across);
    if (dRadicand < 0.0)
        dRadicand = 0.0;
    const double dMoved = dAlong - sqrt(dRadicand);
    Weighted result = Scaled(c, dMoved / dLength);
    if (bTowardWhite)
        result = Complement(result);
    return FromWeighted(result);
}

COLORREF PullColorToward(COLORREF clrRef, COLORREF clr, double dThreshold)
{
    const double dLimit = ScaleContrastThreshold(clrRef, dThreshold);
    const Weighted ref = ToWeighted(clrRef);
    const Weighted c = ToWeighted(clr);
    const double dDistance = Length(Minus(ref, c));
    if (dDistance <= 0.0)
        return clr;   // nothing to pull along
    const double dFraction = (dDistance - dLimit) / dDistance;
    const Weighted d = Minus(ref, c);
    return FromWeighted({ c.r + dFraction * d.r, c.g + dFraction * d.g, c.b + dFraction * d.b });
}
