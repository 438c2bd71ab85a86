#include "CVZPClassicPaintManager.h"

CVZPClassicPaintManager::CVZPClassicPaintManager()
{
}

CVZPClassicPaintManager::~CVZPClassicPaintManager()
{
}
