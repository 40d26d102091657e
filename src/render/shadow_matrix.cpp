#include "render/shadow_matrix.h"

void PlanarShadowMatrix(float matrix[16], const float plane[4], const float light[4]) {
    float dot = plane[0] * light[0];
    dot += plane[1] * light[1];
    dot += plane[2] * light[2];
    dot += plane[3] * light[3];
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            const float diagonal = row == column ? dot : 0.0f;
            matrix[4 * column + row] = diagonal - light[row] * plane[column];
        }
    }
}
