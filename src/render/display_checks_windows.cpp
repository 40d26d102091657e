#include "render/display_checks.h"

// A Windows session always has its desktop.
bool DisplayAvailable() {
    return true;
}

// WGL reports each failing step through the toolkit's own results.
GlStartProblem ProbeGlStart(int) {
    return GlStartProblem::kNone;
}
