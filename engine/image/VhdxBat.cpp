#include "image/VhdxBat.h"

#include "common/ByteOrder.h"

void DecodeVhdxBat(uint64_t* entries, uint64_t count)
{
    for (uint64_t i = 0; i < count; ++i)
        entries[i] = le64((const unsigned char*)&entries[i]);
}
