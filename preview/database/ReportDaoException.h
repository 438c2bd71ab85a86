// Tells the user of a database failure in the message dialog: the engine's
// description and code when the exception carries them, else its SCODE
// taken apart. The caller deletes the exception.
#pragma once

#include <afx.h>

#include <string>

// The text ReportDaoException shows.
std::wstring DaoExceptionText(const CDaoException* e);
void ReportDaoException(CDaoException* e);
