#pragma once

class CommandContext;

// Capture at a chosen size: asks for the size, antialias level and background, then for the
// file, and draws the picture anew in the view's context, in tiles when it is large. A cancel at
// any step, the progress window's included, leaves no file.
void CaptureSizedCommand(CommandContext& context);
