// Dated log and error files.
//
// Each message becomes one line "[%Y-%m-%d %H:%M:%S]\t<message>\n" appended to
// "<dir>/<%Y%m%d>.log" (messages) or "<dir>/<%Y%m%d>.err" (errors). The writer
// never fails towards its caller: when the file cannot be opened, the message
// and a complaint go to standard output instead.
#ifndef KAVEL_BASE_LOG_H_
#define KAVEL_BASE_LOG_H_

#include <string>

// Master switch of all logging; true when the library is loaded.
extern bool g_bLog;

// Directory of the log files used when a caller names none. Empty until the
// first such write, which fixes it to the working directory of that moment.
extern std::string g_sLogPath;

// Appends sContent to the log (bError false) or error log (bError true) of the
// directory sFilePath, or of g_sLogPath when sFilePath is null or empty. Safe to call
// from several threads: lines are written whole under an internal lock.
void WriteLog(std::string sContent, const char* sFilePath = nullptr, bool bError = false);

// WriteLog with bError true.
void WriteError(std::string sContent, const char* sFilePath = nullptr);

// Name of the log (bError false) or error-log file that a write at time nTime
// (seconds since the epoch) would append to; exposed for tests.
std::string LogFileName(const char* sFilePath, bool bError, long long nTime);

#endif  // KAVEL_BASE_LOG_H_
