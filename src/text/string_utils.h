// In-place normalisation and editing of GBK strings.
#ifndef KAVEL_TEXT_STRING_UTILS_H_
#define KAVEL_TEXT_STRING_UTILS_H_

#include <cstddef>
#include <string>

// In place: removes leading white space (space, tab, CR, LF), turns every run
// of white space into one space and removes a trailing space. Returns sStr;
// null stays null.
char* StrNormalize(char* sStr);

// Removes from both ends of sWord every ASCII space, tab, CR and LF and every
// full-width space (GBK A1 A1 and A3 A0), in any mix. Characters are taken on
// GBK boundaries, so the second byte of another character is never mistaken
// for part of a space. Returns false only for an empty input; a word made only
// of such characters becomes empty and the result is true.
bool gfn_bTrimWord(std::string& sWord);

// Replaces every occurrence of sSubOld by sSubNew (null means empty), scanning
// left to right; inserted text is never searched again. Returns the number of
// replacements; an empty or null sSubOld changes nothing and gives 0.
size_t gfn_vReplaceSubstr(std::string& sString, const char* sSubOld, const char* sSubNew);

// In place: full-width digits and letters become their ASCII forms and 63
// full-width punctuation marks their ASCII look-alikes; everything else is
// copied unchanged (a lone trailing byte of 0x80 or more included). Returns
// true when anything changed. A null line gives false.
bool QuanJiao2BanJiao(char* sLine);

#endif  // KAVEL_TEXT_STRING_UTILS_H_
