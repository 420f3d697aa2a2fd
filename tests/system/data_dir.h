// Location of the built data set for the tests of this folder.
#ifndef KAVEL_TESTS_SYSTEM_DATA_DIR_H_
#define KAVEL_TESTS_SYSTEM_DATA_DIR_H_

#include <sys/stat.h>

#include <cstdlib>
#include <string>

// The directory that holds "Data" (the init path), or "" when the data set
// has not been built.
inline std::string InitPathOfDataSet() {
  const char* sEnv = getenv("KAVEL_DATA_DIR");
  std::string sData = sEnv != nullptr && sEnv[0] != 0 ? sEnv : KAVEL_DATA_DIR;
  struct stat info;
  if (stat((sData + "/CoreDict.pdat").c_str(), &info) != 0) return "";
  while (!sData.empty() && sData.back() == '/') sData.pop_back();
  const size_t nSlash = sData.find_last_of('/');
  return nSlash == std::string::npos ? "." : sData.substr(0, nSlash);
}

inline bool HasDataFile(const std::string& sName) {
  const std::string sRoot = InitPathOfDataSet();
  struct stat info;
  return !sRoot.empty() && stat((sRoot + "/Data/" + sName).c_str(), &info) == 0;
}

#endif  // KAVEL_TESTS_SYSTEM_DATA_DIR_H_
