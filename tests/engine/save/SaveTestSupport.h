// Helpers of the save tests: the marks the recovery step would hand the save
// worker, fresh destination folders, and reading back what was written.
#pragma once

#include <windows.h>
#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include "save/SaveMarkedItems.h"

// The result tree's "Root" item in these tests.
enum { TestRootItem = 0x7FFF0000 };

// Gives every listed FAT or NTFS folder a tree item (1, 2, ...) and returns
// a selection with every folder, the root included, with its tree path
// ("Root\..."), and, when withFiles, every file's list key as well.
SaveSelection MarkEverything(const std::wstring& destination, bool withFiles);

// Selects a file system of the open disk and runs the Quick Scan worker on
// it, as the scan step does. False when it did not finish.
bool ScanVolume(uint16_t code, uint32_t start, uint32_t sectors);

// A new empty folder below the temporary folder (plain path).
std::wstring FreshFolder(const wchar_t* name);

// Every file below a folder: path relative to it ("\"-separated) -> SHA-256
// (lower-case hex) of the contents.
std::map<std::wstring, std::string> HashTree(const std::wstring& folder);

// SHA-256 of a file (lower-case hex); empty when it cannot be read.
std::string FileSha256(const std::wstring& path);
std::string BytesSha256(const std::string& bytes);

// The whole contents of a file; false when it cannot be read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

std::wstring FromUtf8(const std::string& text);

// Rows of a tab-separated fixture file, the header lines (#) left out.
std::vector<std::vector<std::string>> ReadTsv(const wchar_t* fixture);
