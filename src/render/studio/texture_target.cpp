#include "render/studio/texture_target.h"

#include <algorithm>

TextureTarget::~TextureTarget() {
    Release();
}

void TextureTarget::Release() {
    if (framebuffer_ != 0) {
        gl_.DeleteFramebuffers(1, &framebuffer_);
    }
    for (GLuint* name : {&colour_, &depth_}) {
        if (*name != 0) {
            glDeleteTextures(1, name);
        }
    }
    Abandon();
}

void TextureTarget::Abandon() {
    framebuffer_ = colour_ = depth_ = 0;
    width_ = height_ = levels_ = 0;
}

void TextureTarget::Allocate(int width, int height, GLenum colourFormat, int levels,
                             bool withDepth) {
    if (framebuffer_ != 0 && width == width_ && height == height_ && colourFormat == format_ &&
        levels == levels_ && withDepth == withDepth_) {
        return;
    }
    Release();
    width_ = width;
    height_ = height;
    levels_ = levels;
    format_ = colourFormat;
    withDepth_ = withDepth;
    gl_.GenFramebuffers(1, &framebuffer_);
    if (colourFormat != 0) {
        glGenTextures(1, &colour_);
        glBindTexture(GL_TEXTURE_2D, colour_);
        for (int level = 0; level < levels; ++level) {
            glTexImage2D(GL_TEXTURE_2D, level, static_cast<GLint>(colourFormat),
                         std::max(width >> level, 1), std::max(height >> level, 1), 0, GL_RGBA,
                         GL_FLOAT, nullptr);
        }
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, levels - 1);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                        levels > 1 ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        // Equirectangular maps wrap around the horizon; nothing else reads past its edge.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    if (withDepth) {
        glGenTextures(1, &depth_);
        glBindTexture(GL_TEXTURE_2D, depth_);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, width, height, 0, GL_DEPTH_COMPONENT,
                     GL_UNSIGNED_INT, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        // Whatever lies outside a shadow map is lit.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
        const float farthest[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, farthest);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

bool TextureTarget::BindLevel(int level) {
    if (framebuffer_ == 0) {
        return false;
    }
    gl_.BindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    if (colour_ != 0) {
        gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_,
                                 level);
        glDrawBuffer(GL_COLOR_ATTACHMENT0);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
    } else {
        glDrawBuffer(GL_NONE);
        glReadBuffer(GL_NONE);
    }
    if (depth_ != 0) {
        gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth_, 0);
    }
    glViewport(0, 0, std::max(width_ >> level, 1), std::max(height_ >> level, 1));
    return gl_.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}
