// SPDX-License-Identifier: MIT
#pragma once
// The one OpenGL header of KVR. Qt's header must come first: it defines the
// extension prototypes and GL_GLEXT_VERSION itself, and would redefine them
// if <GL/glext.h> had already been pulled in by GLU or freeglut.
#include <QtGui/qopengl.h>

#include <GL/glu.h>
#include <GL/freeglut.h>
