// A perceptually weighted RGB space for contrast decisions: red, green and
// blue weigh 30, 60 and 10 per cent of a total range of 650, so that a
// colour's brightness is its distance from black (about 441 for white).
#pragma once

#include <windows.h>

// The threshold T scaled to the brightness of clrRef: doubled against black,
// unchanged against colours of brightness 220 and above.
float ScaleContrastThreshold(COLORREF clrRef, double dThreshold);

// TRUE when a and b lie strictly more than the threshold apart; with bScale
// the threshold is first scaled to a's brightness.
BOOL IsColorDistanceAbove(COLORREF clrA, COLORREF clrB, BOOL bScale, double dThreshold);

// clr moved along its line from black (or from white) until it lies exactly
// the scaled threshold away from clrRef; for a colour that is too close.
COLORREF PushColorAway(COLORREF clrRef, COLORREF clr, double dThreshold);

// clr moved along the segment towards clrRef until it lies exactly the scaled
// threshold away from it; for a colour that is too far.
COLORREF PullColorToward(COLORREF clrRef, COLORREF clr, double dThreshold);
