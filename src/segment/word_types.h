// Records passed between the stages of the segmentation and tagging pipeline.
#ifndef KAVEL_SEGMENT_WORD_TYPES_H_
#define KAVEL_SEGMENT_WORD_TYPES_H_

// One word or atom of a sentence.
struct word_t {
  int handle = -1;              // core-dictionary handle, a placeholder handle, or -1
  int start = -1;               // byte offset of the first byte in the whole input
  int end = -1;                 // byte offset just past the word (== start for start/end words)
  double value = 0;             // unigram frequency, set by the path search
  unsigned char type = 255;     // character type of the first atom, or a marker type
  unsigned char POS_id = 255;   // tag id; 255 until tagged
};

// Where a handle's records lie in a table grouped by handle. start is the
// position of the first record (-1 when the handle has none); end is the
// position of the last record in the bigram table and the number of records
// in the POS tables.
struct index_t {
  int start = -1;
  int end = -1;
};

#endif  // KAVEL_SEGMENT_WORD_TYPES_H_
