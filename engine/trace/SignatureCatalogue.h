// The signature catalogue "Raw.dat": records of two unused bytes, a category
// digit and five length-prefixed fields (extension, description, compare
// length as decimal text, signature bytes, one further field carried along).
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

// One catalogue record as the File Types dialog keeps it. Texts are the
// file's ANSI text in UTF-16; the signature and the further field are their
// bytes as upper-case hexadecimal.
struct CatalogueRecord
{
    int index;                 // position in the file, from 0
    char category;             // the category byte as stored
    std::wstring extension;    // with its dot, e.g. ".jpg"; may be empty
    std::wstring description;
    std::wstring compareLength;
    std::wstring signature;    // e.g. L"FFD8FF"
    std::wstring fifthField;
};

// Category item text for a category byte: "Archive Files" ... "Other Files"
// for the digits 0 to 9, else the byte itself as text.
std::wstring CatalogueCategoryText(char category);

// Parses a whole catalogue held in memory, appending its records in file
// order. A record whose fields run past the end of the data ends the parse
// (what came before is kept); a record with a field longer than 255 bytes is
// skipped. Returns the number of records taken.
size_t ParseCatalogue(const unsigned char* data, size_t size, std::vector<CatalogueRecord>& records);

// Reads the catalogue file; 0 when it cannot be opened or read (records
// then stays as it was), 1 otherwise.
int LoadCatalogue(const wchar_t* path, std::vector<CatalogueRecord>& records);

// Path of "Raw.dat" in the given program folder (with or without its
// trailing backslash).
std::wstring CataloguePath(const std::wstring& programFolder);

// Appends to the chosen signatures every record whose extension equals the
// text exactly, taken in reverse file order (the File Types dialog's record
// list runs from the last record to the first). Returns how many it took.
unsigned AppendCatalogueSignatures(const std::vector<CatalogueRecord>& records, const wchar_t* extension);
