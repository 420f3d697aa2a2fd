// Readers of the configuration file and of line-oriented text files.
#ifndef KAVEL_BASE_CONFIG_READER_H_
#define KAVEL_BASE_CONFIG_READER_H_

#include <cstddef>
#include <cstdio>
#include <string>

// Copies into sValue the text between the first "<sItemName>" in sLine and the
// next "</sItemName>" (the rest of the text when there is no closing tag).
// Returns true when the opening tag was found; otherwise sValue is empty.
// Nothing is trimmed or decoded. sValue must hold strlen(sLine) + 1 bytes.
bool GetXMLItemValue(const char* sLine, const char* sItemName, char* sValue);

// The same into a string.
bool GetXMLItemValue(const char* sLine, const char* sItemName, std::string& sValue);

// Counts the lines of an open file (a line longer than 999 bytes counts once
// for every 999-byte piece) and leaves the file at its start. A read error
// ends the count.
size_t GetFileLinesCount(FILE* fp);

#endif  // KAVEL_BASE_CONFIG_READER_H_
