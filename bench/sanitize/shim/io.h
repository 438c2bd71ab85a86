// The C runtime's file calls the engine uses beyond standard C, over POSIX.
#pragma once
#include <stdint.h>
#include <stdio.h>
#include <wchar.h>

#define _fileno fileno
int64_t _filelengthi64(int fd);
FILE* _wfopen(const wchar_t* path, const wchar_t* mode);
