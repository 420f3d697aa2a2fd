#include "lexicon/word_list.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "base/binary_io.h"
#include "base/log.h"
#include "lexicon/pdat.h"
#include "lexicon/quib_encript.h"

namespace {

const unsigned int kPairStep = 10000;
const int kTextStep = 1024000;

// Scrambling happens in chunks of whole key lengths so that every chunk
// starts at key byte 0, as the whole buffer does.
const size_t kScrambleChunk = 136 * 480;

}  // namespace

CWordList::CWordList(bool bEncript, CPDAT* pDict) : m_pDict(pDict), m_bEncript(bEncript) {
  AddWordInit();
}

CWordList::~CWordList() = default;

bool CWordList::AddWordInit() {
  if (m_vecPair.capacity() == 0) m_vecPair.reserve(kPairStep);
  if (m_pWordListBuf.capacity() == 0) m_pWordListBuf.reserve(kTextStep);
  m_vecPair.clear();
  m_pWordListBuf.clear();
  m_pData.clear();
  m_nSize = 0;
  m_nWordListDataSize = 0;
  m_nMemSize = static_cast<unsigned int>(m_vecPair.capacity());
  m_nWordListMemSize = static_cast<int>(m_pWordListBuf.capacity());
  m_bAddCompleted = false;
  return true;
}

int CWordList::AppendText(const char* sWord) {
  size_t nLen = strlen(sWord) + 1;
  size_t nUsed = m_pWordListBuf.size();
  if (nLen > static_cast<size_t>(INT_MAX) - nUsed) return -1;
  // Growth is geometric, never below one step, so building stays linear.
  if (nUsed + nLen > m_pWordListBuf.capacity()) {
    size_t nNew = m_pWordListBuf.capacity() + std::max<size_t>(m_pWordListBuf.capacity(), kTextStep);
    while (nNew < nUsed + nLen) nNew += kTextStep;
    m_pWordListBuf.reserve(nNew);
  }
  m_pWordListBuf.insert(m_pWordListBuf.end(), sWord, sWord + nLen);
  m_nWordListDataSize = static_cast<int>(m_pWordListBuf.size());
  m_nWordListMemSize = static_cast<int>(std::min<size_t>(m_pWordListBuf.capacity(), INT_MAX));
  return static_cast<int>(nUsed);
}

bool CWordList::AddWord(const char* sWord, int nHandle) {
  if (sWord == nullptr) return false;
  if (nHandle < 0) {
    WriteLog(sWord);
    return true;
  }
  if (nHandle == INT_MAX) return false;
  int nOffset = AppendText(sWord);
  if (nOffset < 0) return false;
  m_vecPair.push_back({nHandle, nOffset});
  m_nMemSize = static_cast<unsigned int>(m_vecPair.capacity());
  ++m_nSize;
  if (m_nBound < nHandle + 1) m_nBound = nHandle + 1;
  return true;
}

bool CWordList::AddWord(const char* sWord) {
  if (sWord == nullptr) return false;
  if (strncmp(sWord, "\xEF\xBB\xBF", 3) == 0) sWord += 3;
  int nHandle = m_pDict != nullptr ? m_pDict->Find(sWord) : -1;
  return AddWord(sWord, nHandle);
}

void CWordList::LayOutOffsets() {
  m_pData.assign(static_cast<size_t>(m_nBound) + 1, -1);
  for (const word_elem& pair : m_vecPair) m_pData[pair.handle] = pair.nWordIndex;
}

bool CWordList::AddWordComplete() {
  if (m_bAddCompleted) return true;
  LayOutOffsets();
  m_bAddCompleted = true;
  return true;
}

const char* CWordList::GetWord(int handle) const {
  if (handle < 0 || handle >= m_nBound || static_cast<size_t>(handle) >= m_pData.size()) return "";
  int nOffset = m_pData[handle];
  if (nOffset < 0 || nOffset >= m_nWordListDataSize) return "";
  return m_pWordListBuf.data() + nOffset;
}

bool CWordList::Load(const char* sFilename) {
  BinaryFileReader reader;
  if (!reader.Open(sFilename)) return false;
  uint32_t nSize = 0;
  int32_t nBound = 0;
  if (!reader.ReadUInt32(&nSize) || !reader.ReadInt32(&nBound)) return false;
  if (nBound < 0 || nBound == INT_MAX || !reader.CanRead(4, static_cast<size_t>(nBound) + 2)) return false;
  std::vector<int> vecOffset(static_cast<size_t>(nBound) + 1);
  int32_t nDataSize = 0;
  if (!reader.ReadArray(vecOffset.data(), 4, vecOffset.size()) || !reader.ReadInt32(&nDataSize)) {
    return false;
  }
  if (nDataSize < 0 || reader.Remaining() != static_cast<size_t>(nDataSize)) return false;
  std::vector<char> vecText(static_cast<size_t>(nDataSize));
  if (!reader.ReadArray(vecText.data(), 1, vecText.size())) return false;
  if (m_bEncript && nDataSize > 0) {
    CQuibEncript scrambler(WordListScrambleKey());
    scrambler.Encrypt(vecText.data(), vecText.size());
  }
  if (nDataSize > 0 && vecText.back() != 0) return false;
  for (int nOffset : vecOffset) {
    // An empty buffer is only consistent with the offset 0 of text-less handles.
    if (nOffset < 0 || (nOffset >= nDataSize && nOffset != 0)) return false;
    // Offsets point at the start of a text.
    if (nOffset > 0 && vecText[nOffset - 1] != 0) return false;
  }
  size_t nTexts = 0;
  for (char c : vecText) nTexts += c == 0;
  if (nSize > nTexts) return false;

  m_nSize = nSize;
  m_nBound = nBound;
  m_pData.swap(vecOffset);
  m_pWordListBuf.swap(vecText);
  m_nWordListDataSize = nDataSize;
  m_nWordListMemSize = static_cast<int>(std::min<size_t>(m_pWordListBuf.capacity(), INT_MAX));
  m_vecPair.clear();
  m_bAddCompleted = true;
  return true;
}

bool CWordList::Save(const char* sFilename) const {
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  // A list still being built is written as AddWordComplete would lay it out.
  std::vector<int> vecBuilt;
  const std::vector<int>* pOffsets = &m_pData;
  if (!m_bAddCompleted && m_pData.empty()) {
    vecBuilt.assign(static_cast<size_t>(m_nBound) + 1, 0);
    for (const word_elem& pair : m_vecPair) vecBuilt[pair.handle] = pair.nWordIndex;
    pOffsets = &vecBuilt;
  }
  writer.WriteInt32(static_cast<int32_t>(m_nSize));
  writer.WriteInt32(m_nBound);
  for (int i = 0; i < m_nBound; ++i) {
    int nOffset = static_cast<size_t>(i) < pOffsets->size() ? (*pOffsets)[i] : 0;
    writer.WriteInt32(nOffset < 0 ? 0 : nOffset);
  }
  writer.WriteInt32(0);
  writer.WriteInt32(m_nWordListDataSize);
  if (!m_bEncript) {
    writer.Write(m_pWordListBuf.data(), m_pWordListBuf.size());
  } else {
    // Scramble copies, never the buffer readers are using.
    CQuibEncript scrambler(WordListScrambleKey());
    std::vector<char> vecChunk;
    for (size_t nPos = 0; nPos < m_pWordListBuf.size(); nPos += kScrambleChunk) {
      size_t nLen = std::min(kScrambleChunk, m_pWordListBuf.size() - nPos);
      vecChunk.assign(m_pWordListBuf.begin() + nPos, m_pWordListBuf.begin() + nPos + nLen);
      scrambler.Encrypt(vecChunk.data(), nLen);
      writer.Write(vecChunk.data(), nLen);
    }
  }
  return writer.Commit();
}
