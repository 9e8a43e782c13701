#pragma once
// The one place OpenGL and GLU are included from.

#include <GL/gl.h>
#include <GL/glu.h>

// The first error OpenGL has recorded since the last call, clearing the rest; GL_NO_ERROR
// when there is none (and when no context is current). For checks in tests and debugging.
inline GLenum TakeGLError()
{
    const GLenum first = glGetError();
    // Each call clears one error flag; an implementation keeps only a few.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i)
    {
    }
    return first;
}
