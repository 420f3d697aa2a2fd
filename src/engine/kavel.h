// The engine's internal interface: start-up, exit and the last error message.
//
// These calls are internal to the libraries built on the engine and are
// never exported from them. Start the engine once (from one thread), run any
// processing calls from any threads, and stop it when no call is running.
#ifndef KAVEL_ENGINE_KAVEL_H_
#define KAVEL_ENGINE_KAVEL_H_

#include "system/result.h"

#define KAVEL_INTERNAL __attribute__((visibility("hidden")))

// Loads the configuration "Configure.xml" and the data set from the
// directory "Data" below sInitDirPath (null or empty: the working directory).
// encode selects the caller's encoding: 0 GBK, 1 UTF-8, 2 BIG5, 3 and 4
// further table-driven encodings, -1 recognition per text; any other value
// is taken as 0. sReserved is not used.
// Returns 1 when the engine is (or already was) started, 0 on failure; the
// reason is then the last error message. A failed start-up releases what it
// had loaded, so a later call may try again.
KAVEL_INTERNAL int KAVEL_Init(const char* sInitDirPath, int encode = 0,
                              const char* sReserved = nullptr);

// Releases the data set and the processors. Returns false when the engine
// was not started. No processing call may be running.
KAVEL_INTERNAL bool KAVEL_Exit();

// The text of the last failure. The pointer stays valid until the calling
// thread asks again.
KAVEL_INTERNAL const char* KAVEL_GetLastErrorMsg();

#endif  // KAVEL_ENGINE_KAVEL_H_
