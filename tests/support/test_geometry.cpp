#include "support/test_geometry.h"

GLuint MakeSquareList() {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    glNormal3f(0, 0, 1);
    glVertex3f(0, 0, 0);
    glVertex3f(1, 0, 0);
    glVertex3f(1, 1, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(1, 1, 0);
    glVertex3f(0, 1, 0);
    glNormal3f(0, 0, -1);
    glVertex3f(0, 0, -0.1f);
    glVertex3f(1, 1, -0.1f);
    glVertex3f(1, 0, -0.1f);
    glVertex3f(0, 0, -0.1f);
    glVertex3f(0, 1, -0.1f);
    glVertex3f(1, 1, -0.1f);
    glEnd();
    glEndList();
    return list;
}

void MakeSquareObject(TextObject& object) {
    object.glyphCharacters[0] = kSquareCharacter;
    object.glyphMetrics[0].gmfCellIncX = 1.0f;
    object.glyphCount = 1;
    object.textWidth = 1.0f;
    object.textHeight = 1.0f;
    object.textBottom = 0.0f;
}
