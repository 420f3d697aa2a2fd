// The engine's last error message, shared by every interface family.
#ifndef KAVEL_BASE_LAST_ERROR_H_
#define KAVEL_BASE_LAST_ERROR_H_

#include <string>

// Replaces the last error message. Thread-safe.
void SetLastErrorMessage(const std::string& sMessage);

// The text of the last error message. The pointer stays valid until the
// message changes.
const char* GetLastErrorMessage();

#endif  // KAVEL_BASE_LAST_ERROR_H_
