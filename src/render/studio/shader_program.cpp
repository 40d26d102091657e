#include "render/studio/shader_program.h"

#include <vector>

ShaderProgram::~ShaderProgram() {
    if (program_ != 0) {
        gl_.DeleteProgram(program_);
    }
}

GLuint ShaderProgram::Compile(GLenum type, const char* source, std::string& log) {
    const GLuint shader = gl_.CreateShader(type);
    gl_.ShaderSource(shader, 1, &source, nullptr);
    gl_.CompileShader(shader);
    GLint compiled = GL_FALSE;
    gl_.GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        GLint length = 0;
        gl_.GetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
        gl_.GetShaderInfoLog(shader, length, nullptr, text.data());
        log += text.data();
        gl_.DeleteShader(shader);
        return 0;
    }
    return shader;
}

bool ShaderProgram::Build(const char* vertexSource, const char* fragmentSource, std::string& log,
                          const char* output) {
    const GLuint vertex = Compile(GL_VERTEX_SHADER, vertexSource, log);
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, fragmentSource, log);
    if (vertex == 0 || fragment == 0) {
        if (vertex != 0) {
            gl_.DeleteShader(vertex);
        }
        if (fragment != 0) {
            gl_.DeleteShader(fragment);
        }
        return false;
    }
    program_ = gl_.CreateProgram();
    gl_.AttachShader(program_, vertex);
    gl_.AttachShader(program_, fragment);
    if (output != nullptr) {
        gl_.BindFragDataLocation(program_, 0, output);
    }
    gl_.LinkProgram(program_);
    // Attached shaders go with the program.
    gl_.DeleteShader(vertex);
    gl_.DeleteShader(fragment);
    GLint linked = GL_FALSE;
    gl_.GetProgramiv(program_, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        GLint length = 0;
        gl_.GetProgramiv(program_, GL_INFO_LOG_LENGTH, &length);
        std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
        gl_.GetProgramInfoLog(program_, length, nullptr, text.data());
        log += text.data();
        gl_.DeleteProgram(program_);
        program_ = 0;
        return false;
    }
    return true;
}
