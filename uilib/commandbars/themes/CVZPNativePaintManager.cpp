#include "CVZPNativePaintManager.h"

CVZPNativePaintManager::CVZPNativePaintManager()
{
}

CVZPNativePaintManager::~CVZPNativePaintManager()
{
}
