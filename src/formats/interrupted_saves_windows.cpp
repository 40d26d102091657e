#include "formats/interrupted_saves.h"

// A console's Ctrl+C ends the process from a thread of the system's own, while a temporary is
// still open without delete sharing: it cannot be removed then, and goes at the next save.
void RemoveTemporariesWhenInterrupted() {}
