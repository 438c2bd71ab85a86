#include "CVZPSchemeGradientPaintManager.h"

CVZPSchemeGradientPaintManager::CVZPSchemeGradientPaintManager()
{
}

CVZPSchemeGradientPaintManager::~CVZPSchemeGradientPaintManager()
{
}
