// The OpenGL 1.1 functions the renderer calls, taken from the surface's
// context rather than linked: the window system's GL and the off-screen one
// both export the same names, and each context wants its own.
#pragma once

#include <GL/gl.h>

#include <string>

#include "ui/GlSurface.h"

namespace scene3d::gl {

// name, return type, parameter list
#define KCAD_GL_FUNCTIONS(F)                                        \
    F(glClearColor, void, (GLclampf, GLclampf, GLclampf, GLclampf)) \
    F(glClear, void, (GLbitfield))                                  \
    F(glEnable, void, (GLenum))                                     \
    F(glDisable, void, (GLenum))                                    \
    F(glLightModeli, void, (GLenum, GLint))                         \
    F(glLightModelfv, void, (GLenum, const GLfloat*))               \
    F(glHint, void, (GLenum, GLenum))                               \
    F(glShadeModel, void, (GLenum))                                 \
    F(glPolygonMode, void, (GLenum, GLenum))                        \
    F(glFrontFace, void, (GLenum))                                  \
    F(glDepthFunc, void, (GLenum))                                  \
    F(glPolygonOffset, void, (GLfloat, GLfloat))                    \
    F(glBlendFunc, void, (GLenum, GLenum))                          \
    F(glMaterialfv, void, (GLenum, GLenum, const GLfloat*))         \
    F(glMaterialf, void, (GLenum, GLenum, GLfloat))                 \
    F(glLightfv, void, (GLenum, GLenum, const GLfloat*))            \
    F(glLightf, void, (GLenum, GLenum, GLfloat))                    \
    F(glPushMatrix, void, ())                                       \
    F(glPopMatrix, void, ())                                        \
    F(glTranslated, void, (GLdouble, GLdouble, GLdouble))           \
    F(glRotated, void, (GLdouble, GLdouble, GLdouble, GLdouble))    \
    F(glScaled, void, (GLdouble, GLdouble, GLdouble))               \
    F(glBegin, void, (GLenum))                                      \
    F(glEnd, void, ())                                              \
    F(glNormal3d, void, (GLdouble, GLdouble, GLdouble))             \
    F(glVertex3d, void, (GLdouble, GLdouble, GLdouble))             \
    F(glNormal3dv, void, (const GLdouble*))                         \
    F(glVertex3dv, void, (const GLdouble*))                         \
    F(glMatrixMode, void, (GLenum))                                 \
    F(glLoadMatrixd, void, (const GLdouble*))                       \
    F(glViewport, void, (GLint, GLint, GLsizei, GLsizei))           \
    F(glGenLists, GLuint, (GLsizei))                                \
    F(glNewList, void, (GLuint, GLenum))                            \
    F(glEndList, void, ())                                          \
    F(glCallList, void, (GLuint))                                   \
    F(glDeleteLists, void, (GLuint, GLsizei))                       \
    F(glFinish, void, ())                                           \
    F(glGetString, const GLubyte*, (GLenum))

struct GlApi {
#define KCAD_GL_MEMBER(name, result, params) result(*name) params = nullptr;
    KCAD_GL_FUNCTIONS(KCAD_GL_MEMBER)
#undef KCAD_GL_MEMBER

    // Every function from the surface's current context; false, naming the
    // first one missing in `missing`, when the context lacks one.
    bool load(ui::GlSurface& surface);
    std::string missing;
};

}  // namespace scene3d::gl
