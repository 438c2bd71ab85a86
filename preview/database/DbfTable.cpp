#include "database/DbfTable.h"

#include <string.h>

#include <vector>

namespace DbfTableWalk {

bool Walk(uint64_t L, const ReadAt& rawReadAt, IDbfTableSink& sink)
{
    auto readAt = [&](uint64_t pos, unsigned char* buffer, unsigned count) {
        memset(buffer, 0, count);
        if (pos >= L)
            return;
        if ((uint64_t)count > L - pos)
            count = (unsigned)(L - pos);
        rawReadAt(pos, buffer, count);
    };

    std::vector<DbfField> fields;
    uint64_t p = DescriptorSize;
    bool cut = false;
    if (L > DescriptorSize) {
        while (p < L) {
            unsigned char d[DescriptorSize];
            readAt(p, d, sizeof(d));
            if (d[0] == 0x0D)
                break;
            // The length byte is the last one the reader needs.
            if (p + 16 >= L) {
                cut = true;
                break;
            }
            if (fields.size() == MaxFields) {
                sink.OnTooManyFields();
                return false;
            }
            DbfField f;
            f.type = (char)d[11];
            f.length = d[16];
            for (unsigned i = 0; i < NameSize && d[i]; ++i)
                f.name[i] = d[i];
            fields.push_back(f);
            sink.OnField(f);
            p += DescriptorSize;
        }
    }
    if (cut || p > L || p <= DescriptorSize || fields.empty())
        return false;

    // The first record's deletion flag: where the header length puts it
    // when that lies after the terminator and inside the file, otherwise
    // the first space after the terminator.
    unsigned char h[2];
    readAt(8, h, sizeof(h));
    const uint64_t headerLength = (uint64_t)h[0] | ((uint64_t)h[1] << 8);
    uint64_t e = 0;
    if (headerLength > p && headerLength < L) {
        e = headerLength + 1;
    } else {
        uint64_t q = p;
        for (; q < L; ++q) {
            unsigned char c;
            readAt(q, &c, 1);
            if (c == 0x20)
                break;
        }
        if (q >= L)
            return false;
        e = q + 1;
    }
    sink.OnRow(0);

    // Records whose fields take no bytes would make a row of every byte.
    uint64_t recordLength = 0;
    for (const DbfField& f : fields)
        recordLength += f.length;
    if (recordLength == 0)
        return true;

    int row = 0;
    size_t k = 0;
    unsigned char buffer[FieldBuffer];
    while (e < L) {
        const DbfField& f = fields[k];
        memset(buffer, 0, sizeof(buffer));
        readAt(e, buffer, f.length);
        sink.OnCell(row, (int)k, f, buffer);
        e += f.length;
        if (e >= L)
            break;
        if (++k == fields.size()) {
            k = 0;
            e += 1;  // the next record's deletion flag
            if (e >= L || row + 1 >= (int)MaxRows)
                break;
            ++row;
            sink.OnRow(row);
        }
    }
    return true;
}

}  // namespace DbfTableWalk
