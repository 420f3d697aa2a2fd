// Processing of a text file line by line into a result file.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <string>

#include "base/log.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"

namespace {
void LogOpenFailure(const char* sFilename) {
  std::lock_guard<std::mutex> lock(g_mutex);
  WriteError("Error read file");
  WriteError(sFilename != nullptr ? sFilename : "");
}
}  // namespace

double CMainSystem::FileProcess(const char* sSrcFilename, const char* sDsnFilename,
                                int bPOStagged) {
  printf("CMainSystem::FileProcess start!\n");
  FILE* fpSrc = sSrcFilename != nullptr ? fopen(sSrcFilename, "rb") : nullptr;
  if (fpSrc == nullptr) {
    LogOpenFailure(sSrcFilename);
    return 0;
  }
  FILE* fpDsn = sDsnFilename != nullptr ? fopen(sDsnFilename, "wb") : nullptr;
  if (fpDsn == nullptr) {
    LogOpenFailure(sDsnFilename);
    fclose(fpSrc);
    return 0;
  }
  fseek(fpSrc, 0, SEEK_END);
  const long nSize = ftell(fpSrc);
  fseek(fpSrc, 0, SEEK_SET);
  fwrite("\xEF\xBB\xBF", 1, 3, fpDsn);

  // Whole lines are read, however long, so that no character is cut in two.
  char* sLine = nullptr;
  size_t nCapacity = 0;
  clock_t nTicks = 0;
  int nLine = 0;
  while (getline(&sLine, &nCapacity, fpSrc) != -1) {
    const clock_t nStart = clock();
    const char* sResult = Process(sLine, bPOStagged, true);
    nTicks += clock() - nStart;
    if (sResult != nullptr) fputs(sResult, fpDsn);
    if (++nLine % 100 == 0) {
      printf("Line %d\r", nLine);
      fflush(stdout);
    }
  }
  free(sLine);
  fclose(fpSrc);
  fclose(fpDsn);
  double dSeconds = static_cast<double>(nTicks) / CLOCKS_PER_SEC;
  if (dSeconds <= 0) dSeconds = 1e-6;
  const double dSpeed = nSize / dSeconds;
  printf("Size=%ldBytes,Time=%6fs,Speed=%6fKB/s\n", nSize, dSeconds, dSpeed / 1000);
  return dSpeed / 1000;
}
