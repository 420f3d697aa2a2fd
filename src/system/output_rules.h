// Helpers shared by the output stage's source files.
#ifndef KAVEL_SYSTEM_OUTPUT_RULES_H_
#define KAVEL_SYSTEM_OUTPUT_RULES_H_

class CPOSmap;

// The tag set nPOSmap of the loaded data set, or null when it is not loaded.
const CPOSmap* OutputTagSet(int nPOSmap);

#endif  // KAVEL_SYSTEM_OUTPUT_RULES_H_
