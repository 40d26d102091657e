#pragma once
// A run stopped by Ctrl+C or a termination request removes the temporary files of the saves it
// was making before it ends, instead of leaving them for the target's next save.

// Installs the handlers for the process; signals ignored when it started stay ignored.
void RemoveTemporariesWhenInterrupted();
