// The text a database value shows in the table list, by its variant type.
#pragma once

#include <afxdisp.h>

CString VariantToText(const VARIANT& v);
