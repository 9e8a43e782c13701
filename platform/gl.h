#pragma once
// The one place OpenGL and GLU are included from.

#include <GL/gl.h>
#include <GL/glu.h>
