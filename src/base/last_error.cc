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
  thread_local std::string sCopy;
  std::lock_guard<std::mutex> lock(g_errorMutex);
  sCopy = g_sLastErrorMessage;
  return sCopy.c_str();
}
