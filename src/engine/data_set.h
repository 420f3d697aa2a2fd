// Loading and releasing the process-wide data set (engine internal).
#ifndef KAVEL_ENGINE_DATA_SET_H_
#define KAVEL_ENGINE_DATA_SET_H_

#include <string>

// The optional parts of the data set that the configuration asks for.
struct DataSetOptions {
  bool bUserDict = false;
  bool bFieldDict = false;
  bool bGranularity = false;
  bool bSentiment = false;
};

// Loads the data files from g_sDataPath in their fixed order into the
// globals. Returns false at the first file that start-up cannot do without;
// the failure has then been logged and stored as the last error message.
bool LoadDataSet(const DataSetOptions& options);

// Looks up the special words in the core dictionary. False (and logged)
// when one of the sentence markers or class tokens is missing.
bool LookUpSpecialIds();

// Destroys every loaded object and processor and nulls its global; safe on a
// partly loaded data set.
void ReleaseDataSet();

#endif  // KAVEL_ENGINE_DATA_SET_H_
