// The per-word record of the engine's processing results.
#ifndef KAVEL_SYSTEM_RESULT_H_
#define KAVEL_SYSTEM_RESULT_H_

// One output word of a processed paragraph. All integers are signed 32-bit.
struct result_t {
  int start;       // byte offset of the word in the caller's text
  int length;      // byte length of the word in the caller's text
  char sPOS[40];   // tag name, NUL-terminated; empty when the word was not tagged
  int iPOS;        // tag id in the selected tag set
  int word_ID;     // core-dictionary handle; -1 for words without their own entry
  int word_type;   // 0 ordinary word, 1 user or field dictionary word, 2 person name
  int weight;      // integer part of -1000 * ln P (smoothed unigram probability)
};

#endif  // KAVEL_SYSTEM_RESULT_H_
