#include <algorithm>

#include "render/offscreen_context.h"

Framebuffer::Framebuffer(int width, int height) : gl_(LoadFramebufferFunctions()) {
    if (!gl_.Complete()) {
        return;
    }
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous_);
    gl_.genFramebuffers(1, &framebuffer_);
    gl_.genRenderbuffers(1, &colour_);
    gl_.genRenderbuffers(1, &depth_);
    gl_.bindRenderbuffer(GL_RENDERBUFFER, colour_);
    gl_.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    gl_.bindRenderbuffer(GL_RENDERBUFFER, depth_);
    gl_.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    gl_.bindRenderbuffer(GL_RENDERBUFFER, 0);
    gl_.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    gl_.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    gl_.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    complete_ = gl_.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

Framebuffer::~Framebuffer() {
    if (!gl_.Complete()) {
        return;
    }
    gl_.bindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous_));
    gl_.deleteFramebuffers(1, &framebuffer_);
    gl_.deleteRenderbuffers(1, &colour_);
    gl_.deleteRenderbuffers(1, &depth_);
}

int MaxFramebufferSide() {
    GLint renderbuffer = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    GLint viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    return std::min({renderbuffer, viewport[0], viewport[1]});
}
