// The two companion DLLs the vendor's SketchUpAPI.dll depends on are stood in for by tiny DLLs
// that export one function each. SketchUpAPI.dll calls both from SUInitialize, which makes it
// import them: like the vendor's, it fails to load when either DLL cannot be found.
#pragma once

#ifdef _WIN32
#ifdef LUMENO_STANDIN_BUILDING_COMPANION
#define LUMENO_STANDIN_COMPANION_API extern "C" __declspec(dllexport)
#else
#define LUMENO_STANDIN_COMPANION_API extern "C" __declspec(dllimport)
#endif
#else
#define LUMENO_STANDIN_COMPANION_API extern "C"
#endif

// Both return 1.
LUMENO_STANDIN_COMPANION_API int lumeno_standin_preferences_ready(void);
LUMENO_STANDIN_COMPANION_API int lumeno_standin_assimp_ready(void);
