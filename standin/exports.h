// Prototypes of every exported function, expanded from the same X-macro lists as the program's
// entry-point table: a definition whose signature differs from its list entry does not compile.
#pragma once

#include "sdk/su_entries.h"

#if defined(_WIN32)
// Windows builds choose their exports with .def files generated from the same lists, so that the
// variants lacking an export are built from identical objects.
#define LUMENO_STANDIN_EXPORT
#elif defined(__GNUC__)
#define LUMENO_STANDIN_EXPORT __attribute__((visibility("default")))
#else
#define LUMENO_STANDIN_EXPORT
#endif

extern "C" {
#define LUMENO_STANDIN_PROTOTYPE(ret, name, params) LUMENO_STANDIN_EXPORT ret name params;
LUMENO_SU_TABLE(LUMENO_STANDIN_PROTOTYPE)
LUMENO_SU_VENDOR(LUMENO_STANDIN_PROTOTYPE)
#undef LUMENO_STANDIN_PROTOTYPE
}
