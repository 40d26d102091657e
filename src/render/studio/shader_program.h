#pragma once
// One linked GLSL program of the studio look; deleted with its owner while the context is
// current, or dropped by Abandon when the context is gone.

#include <string>

#include "render/studio/studio_gl_functions.h"

class ShaderProgram {
  public:
    explicit ShaderProgram(const StudioGlFunctions& gl) : gl_(gl) {}
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    // Compiles and links; false with the compiler's words in log. A fragment shader that writes
    // whole numbers names its output, which goes to the first draw buffer.
    bool Build(const char* vertexSource, const char* fragmentSource, std::string& log,
               const char* output = nullptr);
    void Use() const { gl_.UseProgram(program_); }
    // -1 when the program has no such uniform (the compiler may drop unused ones).
    GLint Location(const char* name) const { return gl_.GetUniformLocation(program_, name); }
    void Set(const char* name, int value) const { gl_.Uniform1i(Location(name), value); }
    void Set(const char* name, float value) const { gl_.Uniform1f(Location(name), value); }
    void Set(const char* name, float x, float y, float z) const {
        gl_.Uniform3f(Location(name), x, y, z);
    }
    void SetMatrix(const char* name, const float* columns) const {
        gl_.UniformMatrix4fv(Location(name), 1, GL_FALSE, columns);
    }
    void Abandon() { program_ = 0; }

  private:
    GLuint Compile(GLenum type, const char* source, std::string& log);

    const StudioGlFunctions& gl_;
    GLuint program_ = 0;
};
