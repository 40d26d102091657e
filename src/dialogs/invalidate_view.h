#pragma once

#include <functional>

// Redraws the main view (no erase) behind an open dialog, so every change shows at once.
using InvalidateView = std::function<void()>;
