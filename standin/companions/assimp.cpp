// assimp-vc143-mt.dll of the stand-in SDK.
#include "standin/companions/companion_export.h"

LUMENO_STANDIN_COMPANION_API int lumeno_standin_assimp_ready(void) { return 1; }
