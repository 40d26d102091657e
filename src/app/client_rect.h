#pragma once

#include <cstdint>

// A rectangle of the view in window pixels, counted from the top-left corner; all zero when not
// in use.
struct ClientRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
