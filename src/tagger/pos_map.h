// A tag set: the list of tag names whose positions are the tag ids.
//
// File: text, one tag per line; only the first white-space-delimited token of
// a line counts (at most 99 bytes of it are kept), and a line without a token
// takes no id. Id k names the tag of the (k+1)-th line with a token. Id 255
// means "no tag", so a set holds at most 255 names.
#ifndef KAVEL_TAGGER_POS_MAP_H_
#define KAVEL_TAGGER_POS_MAP_H_

#include <string>
#include <vector>

class CPOSmap {
 public:
  static const int kMaxItems = 255;
  static const int kMaxNameLen = 99;

  CPOSmap();
  virtual ~CPOSmap();

  // Replaces the names with those of the file. False, keeping the previous
  // names, when the name is null, the file cannot be read or it lists more
  // than 255 names.
  bool Load(const char* sFilename);

  // The id of a tag name compared case-insensitively (the first match); 255
  // for a null or empty name or one the set does not hold.
  unsigned char GetID(const char* sPOS) const;
  // The name of an id; "n" when the id is not below the number of names.
  const char* GetPOS(unsigned char nID) const;
  // Copies the same answer into sPOSRet (at least 100 bytes); true only when
  // the set names the id.
  bool GetPOS(unsigned char nID, char* sPOSRet) const;
  unsigned char GetItemCount() const { return m_nItemCount; }

 private:
  std::vector<std::string> m_pData;
  char m_pDefaultPos[100];
  unsigned char m_nItemCount = 0;
};

#endif  // KAVEL_TAGGER_POS_MAP_H_
