// CRC-32C (Castagnoli), the checksum of the VHDX headers and region tables.
#pragma once

#include <stddef.h>
#include <stdint.h>

uint32_t Crc32c(const void* data, size_t size);

// CRC-32C of a structure whose 4-byte checksum field at checksumOffset is
// taken as zero, the way VHDX defines its checksums.
uint32_t Crc32cWithZeroedField(const unsigned char* data, size_t size, size_t checksumOffset);
