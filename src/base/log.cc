#include "base/log.h"

#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <mutex>

bool g_bLog = true;
std::string g_sLogPath;

namespace {

std::mutex& LogMutex() {
  static std::mutex m;
  return m;
}

// Directory part of the file name, with exactly one separator after it.
std::string LogDirectory(const char* sFilePath) {
  std::string sDir;
  if (sFilePath != nullptr && *sFilePath != 0) {
    sDir = sFilePath;
  } else {
    if (g_sLogPath.empty()) {
      char sCwd[1000];
      if (getcwd(sCwd, sizeof(sCwd)) != nullptr) g_sLogPath = sCwd;
    }
    sDir = g_sLogPath;
  }
  // No directory at all (getcwd failed): a name relative to the working
  // directory rather than one in the file system root.
  if (sDir.empty()) return sDir;
  if (sDir.back() != '/' && sDir.back() != '\\') sDir += '/';
  return sDir;
}

}  // namespace

std::string LogFileName(const char* sFilePath, bool bError, long long nTime) {
  time_t t = static_cast<time_t>(nTime);
  struct tm tmLocal;
  localtime_r(&t, &tmLocal);
  char sDate[32];
  strftime(sDate, sizeof(sDate), "%Y%m%d", &tmLocal);
  return LogDirectory(sFilePath) + sDate + (bError ? ".err" : ".log");
}

void WriteLog(std::string sContent, const char* sFilePath, bool bError) {
  if (!g_bLog) return;
  std::lock_guard<std::mutex> lock(LogMutex());
  time_t tNow = time(nullptr);
  std::string sFile = LogFileName(sFilePath, bError, static_cast<long long>(tNow));
  struct tm tmLocal;
  localtime_r(&tNow, &tmLocal);
  char sTime[64];
  strftime(sTime, sizeof(sTime), "%Y-%m-%d %H:%M:%S", &tmLocal);
  FILE* fp = fopen(sFile.c_str(), "ab");
  if (fp == nullptr) {
    printf("[%s] %s\n", sTime, sContent.c_str());
    printf("Cannot write log file %s!\r\n", sFile.c_str());
    return;
  }
  fprintf(fp, "[%s]\t%s\n", sTime, sContent.c_str());
  fclose(fp);
}

void WriteError(std::string sContent, const char* sFilePath) {
  WriteLog(std::move(sContent), sFilePath, true);
}
