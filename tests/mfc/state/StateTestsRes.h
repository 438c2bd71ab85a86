// Resource ids of the state tests and of their resource module.
#pragma once
#define IDR_MODULE_MENU     501   // only in the resource module
#define IDR_MODULE_TOOLBAR  502   // only in the resource module
#define IDR_EXE_MENU        601   // only in the executable
#define IDR_SHARED_MENU     602   // in both, with different items
#define IDR_NOWHERE         699
#define ID_MODULE_CMD       32101
#define ID_MODULE_CMD2      32102
#define ID_EXE_CMD          32201
