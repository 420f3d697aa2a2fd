// Shared pieces of engine start-up and exit (engine internal).
#ifndef KAVEL_ENGINE_ENGINE_STATE_H_
#define KAVEL_ENGINE_ENGINE_STATE_H_

// Destroys the data set, the processors, the sentiment tables, the encoding
// translator and the recognition model, nulling every global. Used by exit
// and by a failed start-up.
void ReleaseEngine();

#endif  // KAVEL_ENGINE_ENGINE_STATE_H_
