// Telling English text from Chinese, and looking words up in sorted tables.
#ifndef KAVEL_TEXT_TEXT_CLASSIFY_H_
#define KAVEL_TEXT_TEXT_CLASSIFY_H_

// True when the text looks English: of 10 bytes sampled evenly over it at
// least 5 are ASCII letters, and none of the samples (nor, for texts longer
// than 3 bytes, the bytes at offsets 1 and length - 2) is a byte of 0x80 or
// more other than 0xA1 and 0xB1. False for a null or empty text.
bool IsEnglishText(const char* sLine);

// IsEnglishText on the whole content of a file; false when the file cannot be
// read or is empty.
bool IsEnglishTextFile(const char* sFilename);

// Index of sVal in sTable, sorted without regard to ASCII case and compared
// with strcasecmp; -1 when absent or any argument is null or empty.
int BinarySearch(const char* sVal, const char** sTable, int nTableLen);

#endif  // KAVEL_TEXT_TEXT_CLASSIFY_H_
