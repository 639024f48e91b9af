#pragma once
// What the virtual serial driver keeps in the registry for one COM number, and how that number
// stands: mapped, disabled, taken by another serial device, or free to map.
#include <cstdint>

namespace varlo {

inline constexpr int COMMAP_ACTIVE = 0;      // a parameter set with "DISABLE" 0
inline constexpr int COMMAP_NO_DRIVER = -1;  // no administration device, or n outside 1..1024
inline constexpr int COMMAP_DISABLED = -2;   // disabled set whose device node exists
inline constexpr int COMMAP_TAKEN = -3;      // no set; another serial device owns COMn
inline constexpr int COMMAP_FREE = -4;       // COMn can be mapped

inline constexpr int kMaxComNumber = 1024;

// Reads the parameters of COM number nCom and classifies it. The five outputs ("IP", "PORT",
// "REPORT", "KEEPALIVE", "SHARE") are written only when the parameter key opens, each from a
// 4-byte read that a missing value leaves 0; otherwise they keep what the caller put there.
// A null output is not written.
int ReadComMapping(int nCom, uint32_t* pdwIP, int32_t* pnPort, int32_t* pnReport,
                   int32_t* pnKeepAlive, int32_t* pnShare);

// "active", "no driver", "disabled", "taken", "free"; "" for another number.
const char* ComMapStateName(int code);

}  // namespace varlo
