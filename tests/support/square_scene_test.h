#pragma once
// Fixture for pixel and picking tests: a shown 160 x 120 view set up as a new one, every slot
// numbered, and a unit square display list for objects to draw (real glyphs come from a cache).

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "formats/texture_pictures.h"
#include "render/render_cache.h"
#include "render/renderer.h"
#include "support/gl_view_setup.h"
#include "support/gl_window.h"
#include "support/test_geometry.h"
#include "support/test_glyphs.h"

class SquareSceneTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window.ready());
        StartView(scene, 1);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            scene.objects[slot].SetIndex(slot);
        }
        squares.square = MakeSquareList();
    }
    void TearDown() override { glDeleteLists(squares.square, 1); }

    GlTestWindow window{160, 120};
    Scene scene;
    TexturePictures pictures;
    RenderCache cache{TestGlyphs(), pictures};
    SquareSource squares{&cache};
    Renderer renderer{scene, squares};
};
