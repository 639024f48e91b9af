#pragma once
// Where the stand-in platform finds the driver's registry tree and administration device. Front
// ends set these from their options (--registry, --admin, --demo) before StartSerialDriver runs.
// The Windows build reads the machine's registry and device and ignores them.
#include <string>

namespace varlo {

#ifdef _WIN32
inline constexpr bool kComRegistryFromFile = false;
#else
inline constexpr bool kComRegistryFromFile = true;
#endif

// A registry export file; "" (the default) is an empty registry.
void SetComRegistryFile(std::string path);
// A path whose existence stands for the administration device; "" (the default) never exists.
void SetComAdminPath(std::string path);
const std::string& ComRegistryFile();
const std::string& ComAdminPath();

// Points the stand-in at the demo registry shipped with the program (mappings in every state)
// and at the demo administration device beside it. Looks next to the executable, in the
// install tree's share/varlo and in the source tree. False when the files are not found or the
// registry is the machine's own.
bool UseDemoComRegistry();

}  // namespace varlo
