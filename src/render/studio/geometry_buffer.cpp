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
    for (GLuint* texture : {&surfaces_, &depthStencil_, &shadingDepthStencil_}) {
        if (*texture != 0) {
            glDeleteTextures(1, texture);
        }
    }
    Abandon();
}

void GeometryBuffer::Abandon() {
    geometry_ = shading_ = surfaces_ = depthStencil_ = shadingDepthStencil_ = 0;
    width_ = height_ = 0;
}

void GeometryBuffer::Allocate(int width, int height) {
    if (geometry_ != 0 && width == width_ && height == height_) {
        return;
    }
    Release();
    width_ = width;
    height_ = height;
    surfaces_ = NewTexture(GL_RGBA32UI, width, height, GL_RGBA_INTEGER, GL_UNSIGNED_INT);
    for (GLuint* texture : {&depthStencil_, &shadingDepthStencil_}) {
        *texture =
            NewTexture(GL_DEPTH24_STENCIL8, width, height, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    gl_.GenFramebuffers(1, &geometry_);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, geometry_);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, surfaces_, 0);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_NONE);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D,
                             depthStencil_, 0);
    gl_.GenFramebuffers(1, &shading_);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, shading_);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D,
                             shadingDepthStencil_, 0);
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

bool GeometryBuffer::CopyDepthTo(GLuint framebuffer, int x, int y) const {
    if (geometry_ == 0) {
        return false;
    }
    // Only the copy's own error may decide; a lost context reports one for ever, so the queue
    // is drained a bounded number of times.
    for (int pending = 0; pending < 16 && glGetError() != GL_NO_ERROR; ++pending) {
    }
    gl_.BindFramebuffer(GL_READ_FRAMEBUFFER, geometry_);
    gl_.BindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    gl_.BlitFramebuffer(0, 0, width_, height_, x, y, x + width_, y + height_, GL_DEPTH_BUFFER_BIT,
                        GL_NEAREST);
    const bool copied = glGetError() == GL_NO_ERROR;
    gl_.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return copied;
}

bool GeometryBuffer::BindForShading(GLuint colour) {
    if (shading_ == 0) {
        return false;
    }
    gl_.BindFramebuffer(GL_FRAMEBUFFER, shading_);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    if (!Complete()) {
        return false;
    }
    gl_.BindFramebuffer(GL_READ_FRAMEBUFFER, geometry_);
    gl_.BlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_,
                        GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT, GL_NEAREST);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, shading_);
    return true;
}
