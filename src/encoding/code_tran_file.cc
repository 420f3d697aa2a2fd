// CCodeTran: whole-file conversion.
#include <string>

#include "base/binary_io.h"
#include "base/read_file.h"
#include "encoding/code_tran.h"

namespace {

bool ConvertFile(const char* sSrcFile, const char* sDsnFile, const std::string& sPrefix,
                 const CCodeTran& tran, bool bToGBK) {
  if (sSrcFile == nullptr || sDsnFile == nullptr || tran.GetStatus() != 1) return false;
  char* pBuffer = nullptr;
  size_t nSize = ReadFile(sSrcFile, &pBuffer);
  if (nSize == 0 || pBuffer == nullptr) {
    delete[] pBuffer;
    return false;
  }
  std::string sResult;
  if (bToGBK) {
    tran.CodeToGBK(pBuffer, sResult);
  } else {
    tran.GBKToCode(pBuffer, sResult);
  }
  delete[] pBuffer;
  AtomicFileWriter out(sDsnFile);
  if (!out.IsOpen()) return false;
  out.Write(sPrefix.data(), sPrefix.size());
  out.Write(sResult.data(), sResult.size());
  out.Write("\n", 1);
  return out.Commit();
}

}  // namespace

bool CCodeTran::CodeToGBKFile(const char* sSrcFile, const char* sDsnFile) const {
  return ConvertFile(sSrcFile, sDsnFile, "", *this, true);
}

bool CCodeTran::GBKToCodeFile(const char* sSrcFile, const char* sDsnFile) const {
  return ConvertFile(sSrcFile, sDsnFile, m_nEncoding == 1 ? "\xEF\xBB\xBF" : "", *this, false);
}
