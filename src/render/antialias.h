#pragma once
// The antialiased picture: the scene drawn once per jitter offset and the stored values averaged
// in memory (the studio look averages its passes in linear light itself). Not in the accumulation
// buffer even where the context has one: Debian 12's Mesa converts every window's pixels to linear
// light on their way into it and back, so the view showed other greys than pictures and captures
// (188 where the mean of 0 and 255 is 128).

#include <vector>

#include "render/renderer.h"

class StudioRenderer;

struct JitterOffset {
    double x, y;  // pixels, within -0.5 ... +0.5
};

struct JitterTable {
    const JitterOffset* offsets;
    int count;  // 0 for a pass count without a table
};

// The table of a pass count: 2, 3, 4, 8, 15, 24 or 66.
JitterTable JitterTableFor(int level);

// The pass's jittered projection (far plane 15) for the current viewport; identity modelview.
void SetJitteredProjection(int level, int pass, float perspective);

class AntialiasRender {
  public:
    AntialiasRender(Renderer& renderer, int level);
    ~AntialiasRender();
    AntialiasRender(const AntialiasRender&) = delete;
    AntialiasRender& operator=(const AntialiasRender&) = delete;

    int passCount() const { return table_.count; }
    // Draws pass `pass` and adds it with weight 1/N.
    void RunPass(int pass);
    // Puts the average into the back buffer and gives the interactive projection back.
    void Finish();

  private:
    void AccumulateInMemory();
    void DrawMeanFromMemory();

    Renderer& renderer_;
    StudioRenderer* studio_ = nullptr;  // when the scene shows the studio look
    int level_;
    JitterTable table_;
    bool finished_ = false;
    int width_ = 0;
    int height_ = 0;
    std::vector<float> sum_;
    std::vector<unsigned char> pixels_;
};
