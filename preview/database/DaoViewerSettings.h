// The database viewer's settings that the application object keeps: system
// objects in the tree, the question before a deletion, the most rows a table
// list loads. An application offers them by deriving from this interface;
// with any other application the viewer uses the defaults.
#pragma once

#include <afxwin.h>

class IDaoViewerSettings
{
public:
    virtual ~IDaoViewerSettings() {}
    virtual BOOL DaoSystemObjects() const = 0;
    virtual BOOL DaoConfirmDelete() const = 0;
    virtual int DaoRecordLimit() const = 0;
};

struct DaoViewerSettings
{
    BOOL bSystemObjects = FALSE;
    BOOL bConfirmDelete = TRUE;
    int nRecordLimit = 10000;
};

// The current application's settings, or the defaults.
DaoViewerSettings GetDaoViewerSettings();
