#pragma once
// A rendered picture kept to be shown again: the antialiased preview must survive the repaints
// that uncovering the view asks for (its own progress window closing, for one), which would
// otherwise replace it at once by a plain frame.

#include <cstdint>
#include <vector>

class HeldFrame {
  public:
    // Keeps the back buffer's picture of the current viewport.
    void Take();
    // Puts the kept picture into the back buffer; false when none is kept for a viewport of
    // this size.
    bool Draw() const;
    void Release();
    bool IsHeld() const { return !pixels_.empty(); }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> pixels_;
};
