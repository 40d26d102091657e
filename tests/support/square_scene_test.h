#pragma once
// Fixture for pixel and picking tests: a shown 160 x 120 view set up as a new one, every slot
// numbered, and a unit square display list for objects to draw.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "render/renderer.h"
#include "support/gl_view_setup.h"
#include "support/gl_window.h"
#include "support/test_geometry.h"

class SquareSceneTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window.ready());
        StartView(scene, 1);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            scene.objects[slot].SetIndex(slot);
        }
        square = MakeSquareList();
    }
    void TearDown() override {
        for (TextObject& object : scene.objects) {
            object.glyphCount = 0;  // the lists belong to this context and die with it
        }
        glDeleteLists(square, 1);
    }

    GlTestWindow window{160, 120};
    Scene scene;
    Renderer renderer{scene};
    GLuint square = 0;
};
