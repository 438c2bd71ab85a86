// An edit control in the command bars' regular font with a flat one-pixel frame in
// colour 52 (flat disabled border).
#pragma once

#include "VZPThemedControl.h"

class CVZPThemedEdit : public CVZPThemedControl<CEdit>
{
};
