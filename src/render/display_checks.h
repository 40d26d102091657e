#pragma once
// What the display offers, found out before the toolkit uses it: without a display or GLX the
// toolkit stops on assertions of its own, and a GL driver that cannot load ends the process
// through an X error before any message could be shown.

// False when no display can be opened for the window.
bool DisplayAvailable();

enum class GlStartProblem { kNone, kNoPixelFormat, kNoContext };

// Whether the view's GL can start; antialias 1 asks for the accumulation buffer too, as the canvas
// will.
GlStartProblem ProbeGlStart(int antialias);
