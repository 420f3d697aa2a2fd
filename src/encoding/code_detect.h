// Automatic mode: detection of a text's encoding with the byte automaton of
// "CodeTrans.model", and conversion of detected text to GBK or UTF-8.
//
// The model is process-wide: CodeTrans_Initialize and CodeTrans_Destroy must
// not overlap other calls; detection and conversion may run on many threads
// at once in between. Conversions use the character tables only and never
// touch the process locale.
#ifndef KAVEL_ENCODING_CODE_DETECT_H_
#define KAVEL_ENCODING_CODE_DETECT_H_

#include <cstddef>
#include <cstdint>

// Detected code types.
using _enCodeType = int;
constexpr _enCodeType kCodeTypeUnknown = 0;
constexpr _enCodeType kCodeTypeUtf8 = 1;
constexpr _enCodeType kCodeTypeGbk = 2;
constexpr _enCodeType kCodeTypeBig5 = 3;
constexpr _enCodeType kCodeTypeUtf16Le = 8;

// One automaton state as stored in the model file.
struct _stTrieElem_ {
  int32_t m_iBase;
  int32_t m_iCheck;
  int32_t m_iFail;
  int32_t m_iScore;
};

// Score of a state that carries no evidence.
constexpr int32_t kNoEvidenceScore = 75789;

extern unsigned short* g_mapGBKToUnicode;
extern unsigned short* g_mapBig5ToUnicode;
extern _stTrieElem_* g_pstTrieTable;

// Loads the model (replacing one loaded before). Returns 0, or -1 file
// missing or GBK table short, -2 BIG5 table short, -3 state count missing,
// -4 states short, -5 states inconsistent (a negative count, an index out of
// range, a transition back to the start, a failure link that does not lead
// to a shorter match, or bytes past the states), -127 out of memory. On
// failure nothing stays loaded.
int CodeTrans_Initialize(const char* pcModelFile);
// Frees the model.
void CodeTrans_Destroy();

// The encoding of iSourLen bytes: 1 UTF-8, 2 GBK, 3 BIG5, 8 UTF-16LE, or 0
// when undetermined (always 0 without a model). A text without bytes of
// 0x80 or more, and without other evidence, is GBK.
_enCodeType CodeTrans_CodeDetect(const char* pcSour, size_t iSourLen);

// Converts iSourLen bytes of the given type (0: detect first) to GBK into
// pcDest, which holds at least iSourLen + 1 bytes; the result is
// NUL-terminated, its length goes to iDestLen and is returned. An
// undetermined or unknown type gives the empty text. UTF-8 and UTF-16
// characters without a GBK code become "?" and A1 A1 respectively, BIG5
// ones "?".
size_t CodeTrans_ToAnsi(_enCodeType enCodeType, const char* pcSour, size_t iSourLen, char* pcDest,
                        size_t& iDestLen);
// Converts to UTF-8 into pcDest, which holds at least 4 x iSourLen + 1
// bytes; iDestLen on entry is the maximum length (0 for none) and on return
// the length written. A cut never splits a character.
size_t CodeTrans_ToUtf8(_enCodeType enCodeType, const char* pcSour, size_t iSourLen, char* pcDest,
                        size_t& iDestLen);

#endif  // KAVEL_ENCODING_CODE_DETECT_H_
