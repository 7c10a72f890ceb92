// VELTO_API marks the library's exported interface; everything else is hidden.
#pragma once

#if defined(VELTO_MODULE_API_BUILDING)
#define VELTO_API __attribute__((visibility("default")))
#else
#define VELTO_API
#endif
