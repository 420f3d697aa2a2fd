#include "tagger/fsa.h"

#include <cstdio>
#include <cstdlib>

#include "base/binary_io.h"
#include "tagger/text_lines.h"

namespace {

// Reads the decimal integers of a line, blanks or tabs between them; stops
// at the first text that is not a number.
std::vector<long> ParseInts(const std::string& sLine) {
  std::vector<long> vecValues;
  const char* p = sLine.c_str();
  while (true) {
    char* pEnd = nullptr;
    long nValue = strtol(p, &pEnd, 10);
    if (pEnd == p) break;
    vecValues.push_back(nValue);
    p = pEnd;
  }
  return vecValues;
}

bool Fail(std::string* psError, const std::string& sWhat) {
  if (psError != nullptr) *psError = sWhat;
  return false;
}

}  // namespace

CFSA::CFSA() = default;

CFSA::~CFSA() = default;

int CFSA::GetNextState(int nState, int nInput) const {
  if (nState < 0 || nState >= m_nStateCount || nInput < 0 || nInput >= m_nInputSetSize) return -1;
  return m_pTransData[static_cast<size_t>(nState) * m_nInputSetSize + nInput].state_to;
}

bool CFSA::IsAccepted(int nState) const {
  return nState >= 0 && nState < m_nStateCount && m_pStateAccepted[nState] == 1;
}

int CFSA::GetPosId(int nState) const {
  return (nState >= 0 && nState < m_nStateCount) ? m_pPosIdAccepted[nState] : 0;
}

bool CFSA::Load(const char* sFilename) {
  BinaryFileReader reader;
  if (!reader.Open(sFilename)) return false;
  int32_t nInputs = 0, nStates = 0;
  if (!reader.ReadInt32(&nInputs) || !reader.ReadInt32(&nStates)) return false;
  if (nInputs < 0 || nStates < 0) return false;
  long long nCells = static_cast<long long>(nStates) * nInputs;
  if (nCells > kMaxCells) return false;
  if (reader.Remaining() != 8 * static_cast<size_t>(nStates) + 4 * static_cast<size_t>(nCells)) return false;
  std::vector<int> vecAccepted(nStates), vecPosId(nStates);
  std::vector<_transitive> vecTrans(static_cast<size_t>(nCells));
  static_assert(sizeof(_transitive) == 4, "a transition is one 32-bit state");
  if (!reader.ReadArray(vecAccepted.data(), 4, nStates) || !reader.ReadArray(vecPosId.data(), 4, nStates) ||
      !reader.ReadArray(vecTrans.data(), 4, vecTrans.size())) {
    return false;
  }
  for (const _transitive& t : vecTrans) {
    if (t.state_to < -1 || t.state_to >= nStates) return false;
  }
  m_nInputSetSize = nInputs;
  m_nStateCount = nStates;
  m_pStateAccepted.swap(vecAccepted);
  m_pPosIdAccepted.swap(vecPosId);
  m_pTransData.swap(vecTrans);
  return true;
}

bool CFSA::Save(const char* sFilename) const {
  if (sFilename == nullptr) return false;
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  writer.WriteInt32(m_nInputSetSize);
  writer.WriteInt32(m_nStateCount);
  writer.Write(m_pStateAccepted.data(), 4 * m_pStateAccepted.size());
  writer.Write(m_pPosIdAccepted.data(), 4 * m_pPosIdAccepted.size());
  writer.Write(m_pTransData.data(), 4 * m_pTransData.size());
  return writer.Commit();
}

bool CFSA::Import(const char* sFilename, std::string* psError) {
  std::string sText;
  if (!ReadTextFile(sFilename, &sText)) {
    return Fail(psError, std::string("cannot open ") + (sFilename ? sFilename : "(null)"));
  }
  std::vector<std::string> vecHeader;
  CTextLines lines(sText);
  std::string sLine;
  while (vecHeader.size() < 9 && lines.Next(&sLine)) vecHeader.push_back(sLine);
  if (vecHeader.size() < 4) return Fail(psError, "the state and input-symbol counts are missing");
  std::vector<long> vecStates = ParseInts(vecHeader[1]);
  std::vector<long> vecInputs = ParseInts(vecHeader[3]);
  if (vecStates.empty() || vecInputs.empty()) return Fail(psError, "lines 2 and 4 must hold the counts");
  long nStates = vecStates[0], nInputs = vecInputs[0];
  if (nStates < 0 || nInputs < 0 || nStates > kMaxCells || nInputs > kMaxCells ||
      static_cast<long long>(nStates) * nInputs > kMaxCells) {
    return Fail(psError, "state or input-symbol count out of range");
  }

  std::vector<int> vecAccepted(nStates, 0), vecPosId(nStates, 0);
  std::vector<_transitive> vecTrans(static_cast<size_t>(nStates) * nInputs);
  std::vector<long> vecAcceptList = vecHeader.size() > 5 ? ParseInts(vecHeader[5]) : std::vector<long>();
  std::vector<long> vecIdList = vecHeader.size() > 7 ? ParseInts(vecHeader[7]) : std::vector<long>();
  for (size_t i = 0; i < vecAcceptList.size(); ++i) {
    long nState = vecAcceptList[i];
    if (nState < 0 || nState >= nStates) continue;
    vecAccepted[nState] = 1;
    vecPosId[nState] = i < vecIdList.size() ? static_cast<int>(vecIdList[i]) : 0;
  }
  while (lines.Next(&sLine)) {
    std::vector<long> vecT = ParseInts(sLine);
    if (vecT.size() < 3 || vecT[0] < 0) continue;
    if (vecT[0] >= nStates || vecT[1] < 0 || vecT[1] >= nInputs || vecT[2] < 0 || vecT[2] >= nStates) continue;
    vecTrans[static_cast<size_t>(vecT[0]) * nInputs + vecT[1]].state_to = static_cast<int>(vecT[2]);
  }
  m_nStateCount = static_cast<int>(nStates);
  m_nInputSetSize = static_cast<int>(nInputs);
  m_pStateAccepted.swap(vecAccepted);
  m_pPosIdAccepted.swap(vecPosId);
  m_pTransData.swap(vecTrans);
  return true;
}

bool CFSA::Export(const char* sFilename) const {
  if (sFilename == nullptr) return false;
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  FILE* fp = writer.File();
  fprintf(fp, "state count\n%d\ninput size\n%d\nAccepted State\n%d\n", m_nStateCount, m_nInputSetSize,
          m_nInputSetSize);
  for (int s = 0; s < m_nStateCount; ++s) {
    if (m_pStateAccepted[s] == 1) fprintf(fp, "%d\t", s);
  }
  fprintf(fp, "\n");
  for (int s = 0; s < m_nStateCount; ++s) {
    if (m_pStateAccepted[s] == 1 && m_pPosIdAccepted[s] > 0) fprintf(fp, "%d\t", m_pPosIdAccepted[s]);
  }
  fprintf(fp, "\nTransitive State-Input-NextState\n");
  for (int s = 0; s < m_nStateCount; ++s) {
    for (int i = 0; i < m_nInputSetSize; ++i) {
      int nTo = GetNextState(s, i);
      if (nTo > 0) fprintf(fp, "%d\t%d\t%d\n", s, i, nTo);
    }
  }
  return writer.Commit();
}

bool CFSA::ExportSource(const char* sFilename) const {
  if (sFilename == nullptr) return false;
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  FILE* fp = writer.File();
  fprintf(fp, "# states\n%d\n# input symbols\n%d\n# accepting states\n", m_nStateCount, m_nInputSetSize);
  for (int s = 0; s < m_nStateCount; ++s) {
    if (m_pStateAccepted[s] == 1) fprintf(fp, "%d\t", s);
  }
  fprintf(fp, "\n# tag ids of the accepting states\n");
  for (int s = 0; s < m_nStateCount; ++s) {
    if (m_pStateAccepted[s] == 1) fprintf(fp, "%d\t", m_pPosIdAccepted[s]);
  }
  fprintf(fp, "\n# transitions: state input next\n");
  for (int s = 0; s < m_nStateCount; ++s) {
    for (int i = 0; i < m_nInputSetSize; ++i) {
      int nTo = GetNextState(s, i);
      if (nTo >= 0) fprintf(fp, "%d\t%d\t%d\n", s, i, nTo);
    }
  }
  return writer.Commit();
}
