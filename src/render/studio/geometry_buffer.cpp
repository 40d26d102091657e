#include "render/studio/geometry_buffer.h"

#include <initializer_list>

namespace {

GLuint NewTexture(GLenum internalFormat, int width, int height, GLenum format, GLenum type) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), width, height, 0, format,
                 type, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

}  // namespace

GeometryBuffer::~GeometryBuffer() {
    Release();
}

void GeometryBuffer::Release() {
    for (GLuint* framebuffer : {&geometry_, &shading_}) {
        if (*framebuffer != 0) {
            gl_.DeleteFramebuffers(1, framebuffer);
        }
    }
    for (GLuint& texture : attributes_) {
        if (texture != 0) {
            glDeleteTextures(1, &texture);
        }
    }
    if (depthStencil_ != 0) {
        glDeleteTextures(1, &depthStencil_);
    }
    Abandon();
}

void GeometryBuffer::Abandon() {
    geometry_ = shading_ = depthStencil_ = 0;
    for (GLuint& texture : attributes_) {
        texture = 0;
    }
    width_ = height_ = 0;
}

void GeometryBuffer::Allocate(int width, int height) {
    if (geometry_ != 0 && width == width_ && height == height_) {
        return;
    }
    Release();
    width_ = width;
    height_ = height;
    // Full floats: the shadow map is looked up from the positions, and 24 bits hold two packed
    // values exactly.
    for (GLuint& texture : attributes_) {
        texture = NewTexture(GL_RGBA32F, width, height, GL_RGBA, GL_FLOAT);
    }
    depthStencil_ =
        NewTexture(GL_DEPTH24_STENCIL8, width, height, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8);
    glBindTexture(GL_TEXTURE_2D, 0);
    gl_.GenFramebuffers(1, &geometry_);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, geometry_);
    GLenum drawn[kAttributes];
    for (int i = 0; i < kAttributes; ++i) {
        drawn[i] = static_cast<GLenum>(GL_COLOR_ATTACHMENT0 + i);
        gl_.FramebufferTexture2D(GL_FRAMEBUFFER, drawn[i], GL_TEXTURE_2D, attributes_[i], 0);
    }
    gl_.DrawBuffers(kAttributes, drawn);
    glReadBuffer(GL_NONE);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D,
                             depthStencil_, 0);
    gl_.GenFramebuffers(1, &shading_);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, shading_);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D,
                             depthStencil_, 0);
}

bool GeometryBuffer::Complete() const {
    glViewport(0, 0, width_, height_);
    return gl_.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

bool GeometryBuffer::BindForGeometry() {
    if (geometry_ == 0) {
        return false;
    }
    gl_.BindFramebuffer(GL_FRAMEBUFFER, geometry_);
    return Complete();
}

bool GeometryBuffer::BindForShading(GLuint colour) {
    if (shading_ == 0) {
        return false;
    }
    gl_.BindFramebuffer(GL_FRAMEBUFFER, shading_);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return Complete();
}
