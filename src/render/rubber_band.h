#pragma once

#include "render/client_rect.h"

// Outlines the rectangle over the rendered frame in the complement of the pixels beneath, so it
// shows on any background. Leaves every GL state and matrix as it found them.
void DrawRubberBand(const ClientRect& rect, int viewWidth, int viewHeight);
