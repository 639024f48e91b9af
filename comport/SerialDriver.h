#pragma once
// Start-up of the virtual serial driver: installs and starts its kernel service and its Win32
// service from the program's directory and opens its administration device.
#include "comport/ComPlatformApi.h"

namespace varlo {

// The administration device \\.\TUNCOMAdmin. Never closed and never read or written: a valid
// handle only records that the driver answered, which is what the registry reader asks.
extern ComHandle g_hSerialAdmin;

inline constexpr const char* kSerialDriverVersion = "5.0.1.0";

// "5.0.1.0" when the administration device is open on return, otherwise null. Reports nothing
// else: without the rights to manage services only the device decides. Once the device is open
// a further call does nothing.
const char* StartSerialDriver();

}  // namespace varlo
