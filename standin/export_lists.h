// Not compiled into anything: the build runs only the preprocessor over this file, at configure
// time, to turn the X-macro lists into the export lists of the stand-in libraries (.def files and
// the version script). Each name comes out after a marker saying which list it belongs to.
#include "sdk/su_entries.h"

#define LUMENO_EXPORT_TABLE_NAME(ret, name, params) LUMENO_EXPORT_TABLE name
#define LUMENO_EXPORT_VENDOR_NAME(ret, name, params) LUMENO_EXPORT_VENDOR name
#define LUMENO_EXPORT_LACKS_NAME(name) LUMENO_EXPORT_LACKS name

LUMENO_SU_TABLE(LUMENO_EXPORT_TABLE_NAME)
LUMENO_SU_VENDOR(LUMENO_EXPORT_VENDOR_NAME)
LUMENO_SU_VENDOR_LACKS(LUMENO_EXPORT_LACKS_NAME)
