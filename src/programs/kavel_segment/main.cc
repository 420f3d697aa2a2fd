// kavel-segment: segments (and tags) text from files or standard input.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <json/json.h>

#include "engine/kavel.h"
#include "programs/kavel_segment/text_bridge.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"

namespace {
const char kUsage[] =
    "Usage: kavel-segment [options] [FILE...]\n"
    "Segments and tags the text of each FILE (standard input when none or \"-\"),\n"
    "line by line, and writes the result to standard output.\n"
    "\n"
    "  -e, --encoding CODE  encoding of the input: utf8 (default, converted here),\n"
    "                       or an engine code: 0 GBK, 1 UTF-8, 2 BIG5, 3, 4, -1 detect\n"
    "      --json           one JSON object per line with the word records\n"
    "      --no-tag         segment only, without parts of speech\n"
    "      --data DIR       directory that holds \"Data\" (default: the build\n"
    "                       directory of this program, else the current directory)\n"
    "  -q, --quiet          no progress report on standard error\n"
    "  -h, --help           this text\n";

struct Options {
  bool bBridge = true;  // UTF-8 converted by the program; the engine runs in GBK
  int nEncoding = 0;    // engine encoding when not bridged
  bool bJson = false;
  bool bTag = true;
  bool bQuiet = false;
  std::string sDataDir;
  std::vector<std::string> vecFiles;
};

bool HasData(const std::string& sDir) {
  struct stat info;
  return stat((sDir + "/Data/Configure.xml").c_str(), &info) == 0;
}

// The nearest directory above the executable that holds "Data", else ".".
std::string DefaultDataDir() {
  char sExe[4096];
  const ssize_t n = readlink("/proc/self/exe", sExe, sizeof(sExe) - 1);
  if (n > 0) {
    sExe[n] = 0;
    std::string sDir(sExe);
    for (int k = 0; k < 6; ++k) {
      const size_t nSlash = sDir.find_last_of('/');
      if (nSlash == std::string::npos || nSlash == 0) break;
      sDir.resize(nSlash);
      if (HasData(sDir)) return sDir;
    }
  }
  return ".";
}

// 0 to go on, 1 to stop with success (help), 2 on a usage error.
int ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string sArg = argv[i];
    auto value = [&](std::string& sOut) {
      if (i + 1 >= argc) return false;
      sOut = argv[++i];
      return true;
    };
    std::string sValue;
    if (sArg == "-h" || sArg == "--help") {
      fputs(kUsage, stdout);
      return 1;
    } else if (sArg == "-e" || sArg == "--encoding") {
      if (!value(sValue)) return 2;
      if (sValue == "utf8" || sValue == "utf-8" || sValue == "UTF-8") {
        options.bBridge = true;
      } else {
        char* pEnd = nullptr;
        const long nCode = strtol(sValue.c_str(), &pEnd, 10);
        if (pEnd == sValue.c_str() || *pEnd != 0 || nCode < -1 || nCode > 4) return 2;
        options.bBridge = false;
        options.nEncoding = static_cast<int>(nCode);
      }
    } else if (sArg == "--json") {
      options.bJson = true;
    } else if (sArg == "--no-tag") {
      options.bTag = false;
    } else if (sArg == "-q" || sArg == "--quiet") {
      options.bQuiet = true;
    } else if (sArg == "--data") {
      if (!value(options.sDataDir)) return 2;
    } else if (sArg.size() > 1 && sArg[0] == '-' && sArg != "-") {
      return 2;
    } else {
      options.vecFiles.push_back(sArg);
    }
  }
  if (options.sDataDir.empty()) options.sDataDir = DefaultDataDir();
  return 0;
}

class Segmenter {
 public:
  explicit Segmenter(const Options& options) : m_options(options) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    m_pWriter.reset(builder.newStreamWriter());
  }

  void Line(const std::string& sLine, long nLine) {
    CMainSystem* pSystem = g_pKAVEL;
    const char* sText = sLine.c_str();
    if (m_options.bBridge) {
      Utf8LineToGbk(sLine, m_sGBK, m_vecOffset);
      sText = m_sGBK.c_str();
    }
    if (!m_options.bJson) {
      const char* sResult = pSystem->Process(sText, m_options.bTag, true);
      if (sResult == nullptr) sResult = "";
      if (m_options.bBridge) fputs(ToUtf8(sResult, strlen(sResult), 0).c_str(), stdout);
      else fputs(sResult, stdout);
      fputc('\n', stdout);
      return;
    }
    std::string sTrans;
    const int nCount = pSystem->ProcessA(sText, sTrans, m_options.bTag, true, false);
    const result_t* pRecords = pSystem->GetResult(nullptr);
    const int nEncoding = m_options.bBridge ? 0 : m_options.nEncoding;
    const size_t nTextLen = strlen(sText);
    Json::Value line(Json::objectValue);
    line["line"] = static_cast<Json::Int64>(nLine);
    Json::Value& words = line["words"] = Json::Value(Json::arrayValue);
    for (int k = 0; k < nCount; ++k) {
      const result_t& record = pRecords[k];
      if (record.start < 0 || record.length < 0 ||
          static_cast<size_t>(record.start) + record.length > nTextLen)
        continue;
      const char* pWord = sText + record.start;
      if (record.length == 0 || strchr(" \t\r\n", pWord[0]) != nullptr) continue;
      Json::Value word(Json::objectValue);
      word["word"] = ToUtf8(pWord, record.length, nEncoding);
      word["pos"] = record.sPOS;
      int nStart = record.start;
      int nEnd = record.start + record.length;
      if (m_options.bBridge) {
        nStart = m_vecOffset[record.start];
        nEnd = m_vecOffset[record.start + record.length];
      }
      word["start"] = nStart;
      word["length"] = nEnd - nStart;
      word["id"] = record.word_ID;
      word["type"] = record.word_type;
      word["weight"] = record.weight;
      words.append(word);
    }
    m_pWriter->write(line, &std::cout);
    std::cout << '\n';
  }

 private:
  const Options& m_options;
  std::unique_ptr<Json::StreamWriter> m_pWriter;
  std::string m_sGBK;
  std::vector<int> m_vecOffset;
};

// Processes one input; false when it cannot be opened.
bool ProcessInput(const std::string& sName, const Options& options, Segmenter& segmenter) {
  const bool bStdin = sName == "-";
  FILE* fp = bStdin ? stdin : fopen(sName.c_str(), "rb");
  if (fp == nullptr) {
    fprintf(stderr, "kavel-segment: cannot open %s\n", sName.c_str());
    return false;
  }
  long nSize = 0;
  struct stat info;
  if (!bStdin && fstat(fileno(fp), &info) == 0 && S_ISREG(info.st_mode)) nSize = info.st_size;
  const bool bProgress = !options.bQuiet && nSize > (1L << 20);
  char* sBuffer = nullptr;
  size_t nCapacity = 0;
  ssize_t nRead = 0;
  long nLine = 0;
  long nDone = 0;
  std::string sLine;
  while ((nRead = getline(&sBuffer, &nCapacity, fp)) != -1) {
    nDone += nRead;
    size_t nLen = static_cast<size_t>(nRead);
    while (nLen > 0 && (sBuffer[nLen - 1] == '\n' || sBuffer[nLen - 1] == '\r')) --nLen;
    // Text after a NUL byte cannot reach the engine; keep what precedes it.
    sLine.assign(sBuffer, strnlen(sBuffer, nLen));
    if (nLine == 0 && sLine.compare(0, 3, "\xEF\xBB\xBF") == 0 && options.bBridge) sLine.erase(0, 3);
    segmenter.Line(sLine, ++nLine);
    if (bProgress && nLine % 1000 == 0)
      fprintf(stderr, "\r%s: %ld lines, %ld%%", sName.c_str(), nLine, nDone * 100 / nSize);
  }
  if (bProgress) fprintf(stderr, "\r%s: %ld lines, 100%%\n", sName.c_str(), nLine);
  free(sBuffer);
  if (!bStdin) fclose(fp);
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  Options options;
  const int nParsed = ParseOptions(argc, argv, options);
  if (nParsed == 1) return 0;
  if (nParsed == 2) {
    fputs(kUsage, stderr);
    return 2;
  }
  const int nEncoding = options.bBridge ? 0 : options.nEncoding;
  if (KAVEL_Init(options.sDataDir.c_str(), nEncoding, nullptr) != 1) {
    fprintf(stderr, "kavel-segment: cannot start the engine from %s/Data: %s\n",
            options.sDataDir.c_str(), KAVEL_GetLastErrorMsg());
    return 1;
  }
  if (options.vecFiles.empty()) options.vecFiles.push_back("-");
  Segmenter segmenter(options);
  bool bAllRead = true;
  for (const std::string& sName : options.vecFiles)
    bAllRead = ProcessInput(sName, options, segmenter) && bAllRead;
  fflush(stdout);
  KAVEL_Exit();
  return bAllRead ? 0 : 1;
}
