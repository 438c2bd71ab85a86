// The walk over a dBASE-style table, free of windows and of the framework:
// field descriptors, the start of the data and the records, each field read
// into a zero-filled buffer. The viewer turns what it reports into columns,
// rows and cell texts; the sanitizer build runs it natively.
#pragma once

#include <stdint.h>

#include <functional>

struct DbfField
{
    char type = 0;
    unsigned length = 0;        // 0 to 255
    unsigned char name[12] = {};   // at most 11 bytes, always ended by a zero
};

class IDbfTableSink
{
public:
    virtual ~IDbfTableSink() {}
    virtual void OnField(const DbfField& field) = 0;
    // A table with more fields than the viewer takes: what was reported is
    // to be thrown away.
    virtual void OnTooManyFields() = 0;
    // Row (0-based) begins.
    virtual void OnRow(int nRow) = 0;
    // The value of field nField in row nRow: field.length bytes in a buffer
    // of DbfTableWalk::FieldBuffer bytes, zero beyond the bytes the file had.
    virtual void OnCell(int nRow, int nField, const DbfField& field, const unsigned char* pBytes) = 0;
};

namespace DbfTableWalk {

enum : unsigned { DescriptorSize = 32, NameSize = 11, FieldBuffer = 256 + 1, MaxFields = 200, MaxRows = 100000 };

// Reads up to count bytes at pos into buffer; bytes past the file are left
// zero (the buffer is zeroed first by the walk).
using ReadAt = std::function<void(uint64_t pos, unsigned char* buffer, unsigned count)>;

// Walks a table of length bytes; true when it was a table (the preview
// holds), false for no descriptors, a cut descriptor list, no data start or
// too many fields.
bool Walk(uint64_t length, const ReadAt& readAt, IDbfTableSink& sink);

}  // namespace DbfTableWalk
