#include "CVZPFlatPaintManager.h"

CVZPFlatPaintManager::CVZPFlatPaintManager()
{
}

CVZPFlatPaintManager::~CVZPFlatPaintManager()
{
}
