#pragma once
#include <cstdint>

#include "transport/ByteOrder.h"

namespace varlo {

// CRC-16/MODBUS over `length` bytes, returned with the register's bytes swapped: stored as a
// little-endian number it puts the CRC's high byte first on the wire, as the devices expect
// (the opposite of Modbus RTU). "123456789" gives 0x374B, stored 4B 37.
uint16_t CalcFrameCrc(const uint8_t* data, uint16_t length);

// Stores a CalcFrameCrc result at `at`, low byte of the returned value first.
void StoreFrameCrc(uint8_t* at, uint16_t crc);

// Computes the checksum over data[0, length) and stores it right after the covered bytes.
void StampFrameCrc(uint8_t* data, uint16_t length);

}  // namespace varlo
