#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>
#include <qopengl.h>

class QOpenGLContext;

namespace nivora {

// The OpenGL entry points the scene and the video are drawn with, resolved by
// name from a Qt context or from a context of the window system's own (EGL on
// a Wayland connection of Nivora's), which Qt's function wrappers cannot
// reach. Entry points of one driver work in every context of a share group.
#define NIVORA_GL_FUNCTIONS(F)                                                                               \
    F(GLuint, glCreateShader, (GLenum))                                                                      \
    F(void, glShaderSource, (GLuint, GLsizei, const GLchar* const*, const GLint*))                           \
    F(void, glCompileShader, (GLuint))                                                                       \
    F(void, glGetShaderiv, (GLuint, GLenum, GLint*))                                                         \
    F(void, glGetShaderInfoLog, (GLuint, GLsizei, GLsizei*, GLchar*))                                        \
    F(void, glDeleteShader, (GLuint))                                                                        \
    F(GLuint, glCreateProgram, ())                                                                           \
    F(void, glAttachShader, (GLuint, GLuint))                                                                \
    F(void, glLinkProgram, (GLuint))                                                                         \
    F(void, glGetProgramiv, (GLuint, GLenum, GLint*))                                                        \
    F(void, glGetProgramInfoLog, (GLuint, GLsizei, GLsizei*, GLchar*))                                       \
    F(void, glDeleteProgram, (GLuint))                                                                       \
    F(GLuint, glGetUniformBlockIndex, (GLuint, const GLchar*))                                               \
    F(void, glUniformBlockBinding, (GLuint, GLuint, GLuint))                                                 \
    F(void, glGenVertexArrays, (GLsizei, GLuint*))                                                           \
    F(void, glDeleteVertexArrays, (GLsizei, const GLuint*))                                                  \
    F(void, glBindVertexArray, (GLuint))                                                                     \
    F(void, glGenBuffers, (GLsizei, GLuint*))                                                                \
    F(void, glDeleteBuffers, (GLsizei, const GLuint*))                                                       \
    F(void, glBindBuffer, (GLenum, GLuint))                                                                  \
    F(void, glBufferData, (GLenum, GLsizeiptr, const void*, GLenum))                                         \
    F(void, glBufferSubData, (GLenum, GLintptr, GLsizeiptr, const void*))                                    \
    F(void, glBindBufferBase, (GLenum, GLuint, GLuint))                                                      \
    F(void, glGenTextures, (GLsizei, GLuint*))                                                               \
    F(void, glDeleteTextures, (GLsizei, const GLuint*))                                                      \
    F(void, glBindTexture, (GLenum, GLuint))                                                                 \
    F(void, glTexImage2D, (GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*))      \
    F(void, glGenFramebuffers, (GLsizei, GLuint*))                                                           \
    F(void, glDeleteFramebuffers, (GLsizei, const GLuint*))                                                  \
    F(void, glBindFramebuffer, (GLenum, GLuint))                                                             \
    F(void, glFramebufferTexture2D, (GLenum, GLenum, GLenum, GLuint, GLint))                                 \
    F(GLenum, glCheckFramebufferStatus, (GLenum))                                                            \
    F(void, glBlitFramebuffer, (GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield, GLenum)) \
    F(void, glClearColor, (GLfloat, GLfloat, GLfloat, GLfloat))                                              \
    F(void, glClear, (GLbitfield))                                                                           \
    F(void, glDisable, (GLenum))                                                                             \
    F(void, glUseProgram, (GLuint))                                                                          \
    F(void, glDrawArrays, (GLenum, GLint, GLsizei))                                                          \
    F(void, glViewport, (GLint, GLint, GLsizei, GLsizei))

struct GLFunctions
{
#define NIVORA_GL_POINTER(ret, name, params) ret(*name) params = nullptr;
    NIVORA_GL_FUNCTIONS(NIVORA_GL_POINTER)
#undef NIVORA_GL_POINTER

    // Null when an entry point is missing.
    static std::unique_ptr<GLFunctions> resolve(const std::function<QFunctionPointer(const char*)>& lookUp);
    static std::unique_ptr<GLFunctions> of(QOpenGLContext* context);
};

} // namespace nivora
