// The exports of prefsheet.dll as the driver calls them (by name or by the
// ordinal in the comment). All __stdcall.
#pragma once

#include "LcDevMode.h"

#include <cstdint>

extern "C" {
typedef void(__stdcall* PPStartFunction)(LCDEVMODE* record, void* driverState, PORTINFO* port,
                                         INKINFO* ink);                                    // 1
typedef uint32_t(__stdcall* PPGetStringSizeFunction)(uint32_t id, const LCDEVMODE* record); // 3
typedef int(__stdcall* PPLoadStringFunction)(char* buffer, uint32_t id, const LCDEVMODE* record);  // 4
typedef void(__stdcall* PPInitFunction)(void);                                             // 5
typedef void(__stdcall* PPTerminateFunction)(void);                                        // 6
typedef void(__stdcall* PPDefaultGenDevModeFunction)(LCDEVMODE* record);                   // 8
}
