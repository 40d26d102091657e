#pragma once
// The GL 2-3 entry points the studio look draws with. Linux links them; Windows' GL library stops
// at 1.1, so there they are asked of the driver of the current context.

#include <GL/gl.h>
#include <GL/glext.h>

#define VELLUMARK_STUDIO_GL_FUNCTIONS(X)                       \
    X(PFNGLCREATESHADERPROC, CreateShader)                     \
    X(PFNGLSHADERSOURCEPROC, ShaderSource)                     \
    X(PFNGLCOMPILESHADERPROC, CompileShader)                   \
    X(PFNGLGETSHADERIVPROC, GetShaderiv)                       \
    X(PFNGLGETSHADERINFOLOGPROC, GetShaderInfoLog)             \
    X(PFNGLDELETESHADERPROC, DeleteShader)                     \
    X(PFNGLCREATEPROGRAMPROC, CreateProgram)                   \
    X(PFNGLATTACHSHADERPROC, AttachShader)                     \
    X(PFNGLLINKPROGRAMPROC, LinkProgram)                       \
    X(PFNGLGETPROGRAMIVPROC, GetProgramiv)                     \
    X(PFNGLGETPROGRAMINFOLOGPROC, GetProgramInfoLog)           \
    X(PFNGLDELETEPROGRAMPROC, DeleteProgram)                   \
    X(PFNGLUSEPROGRAMPROC, UseProgram)                         \
    X(PFNGLGETUNIFORMLOCATIONPROC, GetUniformLocation)         \
    X(PFNGLUNIFORM1IPROC, Uniform1i)                           \
    X(PFNGLUNIFORM1FPROC, Uniform1f)                           \
    X(PFNGLUNIFORM2FPROC, Uniform2f)                           \
    X(PFNGLUNIFORM2IPROC, Uniform2i)                           \
    X(PFNGLUNIFORM3FPROC, Uniform3f)                           \
    X(PFNGLUNIFORM3FVPROC, Uniform3fv)                         \
    X(PFNGLUNIFORM4FPROC, Uniform4f)                           \
    X(PFNGLUNIFORMMATRIX4FVPROC, UniformMatrix4fv)             \
    X(PFNGLACTIVETEXTUREPROC, ActiveTexture)                   \
    X(PFNGLGENERATEMIPMAPPROC, GenerateMipmap)                 \
    X(PFNGLGENFRAMEBUFFERSPROC, GenFramebuffers)               \
    X(PFNGLDELETEFRAMEBUFFERSPROC, DeleteFramebuffers)         \
    X(PFNGLBINDFRAMEBUFFERPROC, BindFramebuffer)               \
    X(PFNGLFRAMEBUFFERTEXTURE2DPROC, FramebufferTexture2D)     \
    X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, CheckFramebufferStatus) \
    X(PFNGLBLITFRAMEBUFFERPROC, BlitFramebuffer)               \
    X(PFNGLBINDBUFFERPROC, BindBuffer)                         \
    X(PFNGLBINDFRAGDATALOCATIONPROC, BindFragDataLocation)

#define VELLUMARK_STUDIO_GL_MEMBER(type, name) type name = nullptr;
#define VELLUMARK_STUDIO_GL_PRESENT(type, name) &&name != nullptr

struct StudioGlFunctions {
    VELLUMARK_STUDIO_GL_FUNCTIONS(VELLUMARK_STUDIO_GL_MEMBER)

    bool Complete() const {
        return true VELLUMARK_STUDIO_GL_FUNCTIONS(VELLUMARK_STUDIO_GL_PRESENT);
    }
};

// Needs a current context.
StudioGlFunctions LoadStudioGlFunctions();
