#pragma once
// A quad over the whole viewport in clip space with uv 0 ... 1, for programs that take their
// position from gl_Vertex as it is.

void DrawFullscreenQuad();
