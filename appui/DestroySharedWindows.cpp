#include "DestroySharedWindows.h"

void DestroySharedWindows()
{
}
