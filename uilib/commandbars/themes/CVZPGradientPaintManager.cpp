#include "CVZPGradientPaintManager.h"

CVZPGradientPaintManager::CVZPGradientPaintManager()
{
}

CVZPGradientPaintManager::~CVZPGradientPaintManager()
{
}
