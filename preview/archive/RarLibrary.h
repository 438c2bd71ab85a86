// The records and entry points "unrar.dll" publishes. The library writes
// whole records, reserved tails included, so they are declared in full with
// the library's one-byte packing.
#pragma once

#include <windows.h>

#pragma pack(push, 1)

typedef int(CALLBACK* RarCallback)(UINT msg, LPARAM userData, LPARAM p1, LPARAM p2);

struct RAROpenArchiveDataEx
{
    char* ArcName;
    wchar_t* ArcNameW;
    unsigned int OpenMode;
    unsigned int OpenResult;
    char* CmtBuf;
    unsigned int CmtBufSize;
    unsigned int CmtSize;
    unsigned int CmtState;
    unsigned int Flags;
    RarCallback Callback;
    LPARAM UserData;
    unsigned int OpFlags;
    wchar_t* CmtBufW;
    unsigned int Reserved[25];
};

struct RARHeaderDataEx
{
    char ArcName[1024];
    wchar_t ArcNameW[1024];
    char FileName[1024];
    wchar_t FileNameW[1024];
    unsigned int Flags;
    unsigned int PackSize;
    unsigned int PackSizeHigh;
    unsigned int UnpSize;
    unsigned int UnpSizeHigh;
    unsigned int HostOS;
    unsigned int FileCRC;
    unsigned int FileTime;
    unsigned int UnpVer;
    unsigned int Method;
    unsigned int FileAttr;
    char* CmtBuf;
    unsigned int CmtBufSize;
    unsigned int CmtSize;
    unsigned int CmtState;
    unsigned int DictSize;
    unsigned int HashType;
    char Hash[32];
    unsigned int RedirType;
    wchar_t* RedirName;
    unsigned int RedirNameSize;
    unsigned int DirTarget;
    unsigned int MtimeLow;
    unsigned int MtimeHigh;
    unsigned int CtimeLow;
    unsigned int CtimeHigh;
    unsigned int AtimeLow;
    unsigned int AtimeHigh;
    unsigned int Reserved[988];
};

#pragma pack(pop)

enum
{
    RAR_OM_LIST = 0,
    RAR_SKIP = 0,
};

typedef HANDLE(WINAPI* RarOpenArchiveExFn)(RAROpenArchiveDataEx* data);
typedef int(WINAPI* RarCloseArchiveFn)(HANDLE archive);
typedef int(WINAPI* RarProcessFileFn)(HANDLE archive, int operation, char* destPath, char* destName);
typedef int(WINAPI* RarReadHeaderExFn)(HANDLE archive, RARHeaderDataEx* header);
