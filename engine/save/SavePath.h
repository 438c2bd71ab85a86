// Names and paths of saved files. Names come from the image and are hostile:
// every path component is made safe before it reaches the file system, and
// every path is built under the chosen destination in the long-path form
// ("\\?\"), so that nothing is written outside it and deep trees work.
#pragma once

#include <string>
#include <vector>

enum { MaxSavedComponent = 255 };

// A name made safe as one path component: \ / : * ? " < > | and codes below
// 32 become "_", trailing dots and spaces are dropped, an empty result (also
// from "." and "..") becomes "_", a reserved device name (CON, PRN, AUX,
// NUL, COM1-9, LPT1-9, with or without an extension) gets a "_" in front,
// and the result is cut to 255 characters. The displayed names stay as
// they are; only the written name is changed.
std::wstring SanitizePathComponent(const std::wstring& name);

// The destination folder as an absolute long-path form without a trailing
// backslash ("\\?\C:\dest", "\\?\UNC\server\share\dest"). Empty when the
// folder cannot be made absolute.
std::wstring LongDestination(const std::wstring& folder);

// A folder path given as "\"-separated parts (a result-tree path) split and
// made safe part by part; empty parts are dropped.
std::vector<std::wstring> SanitizeTreePath(const std::wstring& treePath);

// longFolder + "\" + each part.
std::wstring JoinPath(const std::wstring& longFolder, const std::wstring& part);

// True when path is destination + "\" + one or more components none of
// which is empty, "." or "..", or holds a ":" or "/": the path names
// something inside the destination. Both are long-path forms.
bool IsPathUnder(const std::wstring& destination, const std::wstring& path);

// Creates every folder level of a long-path folder that does not exist yet.
// Stateless; made on the stack where needed.
class CPathMaker
{
public:
    // True when the folder exists afterwards.
    bool CreateDirectoryPath(const std::wstring& longFolder) const;
};

// The duplicate-name rule of the recovery settings for name in folder:
// 1 rename to "Copy (" + n + " ) of " + name for the first n from 1 whose
// path is free (name is replaced), 2 overwrite, 3 skip. Returns false when
// the file is to be skipped.
bool ApplyDuplicatePolicy(const std::wstring& longFolder, std::wstring& name, int policy);

bool PathExists(const std::wstring& path);
