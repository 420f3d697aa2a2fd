// Generation of the translator files and of the detection model from the C
// library's character converters.
#ifndef KAVEL_ENCODING_CODE_BUILD_H_
#define KAVEL_ENCODING_CODE_BUILD_H_

#include <string>

// Writes into sOutDir (which must exist) the dictionaries "GBK.pdat",
// "GBKA.pdat", "UTF8.pdat", "BIG5.pdat" (one entry per character, as its
// bytes), their ".wordlist" files and the maps "UTF2GBKA.map",
// "GBKA2UTF.map", "BIG2GBK.map", "GBK2BIG.map", "GBKA2GBK.map",
// "GBK2GBKA.map", "UTF2GBK.map", "GBK2UTF.map". Characters map through
// their Unicode code point. False with a message when a file cannot be
// written or a converter is missing.
bool CodeTrans_BuildTables(const char* sOutDir, std::string& sError);

// Writes sModelFile, the detection model: the GBK and BIG5 tables to
// Unicode and the scoring automaton. False with a message on failure.
bool CodeTrans_BuildModel(const char* sModelFile, std::string& sError);

// Frequent characters of running text as UTF-8: simplified forms, and the
// traditional forms of the frequent characters that differ.
extern const char* const kFrequentSimplified;
extern const char* const kFrequentTraditional;

#endif  // KAVEL_ENCODING_CODE_BUILD_H_
