#include "base/last_error.h"

#include <mutex>

namespace {
std::mutex g_errorMutex;
std::string g_sLastErrorMessage;
}  // namespace

void SetLastErrorMessage(const std::string& sMessage) {
  std::lock_guard<std::mutex> lock(g_errorMutex);
  g_sLastErrorMessage = sMessage;
}

const char* GetLastErrorMessage() {
  std::lock_guard<std::mutex> lock(g_errorMutex);
  return g_sLastErrorMessage.c_str();
}
