// The engine's last error message, shared by every interface family.
#ifndef KAVEL_BASE_LAST_ERROR_H_
#define KAVEL_BASE_LAST_ERROR_H_

#include <string>

// Replaces the last error message. Thread-safe.
void SetLastErrorMessage(const std::string& sMessage);

// The text of the last error message. The text is a copy owned by the calling
// thread: the pointer stays valid until this thread calls the function again,
// whatever other threads store meanwhile.
const char* GetLastErrorMessage();

#endif  // KAVEL_BASE_LAST_ERROR_H_
