// SPDX-License-Identifier: MIT
#pragma once
// A headless OpenGL context: EGL on Mesa's surfaceless platform, a
// compatibility-profile context (glBegin, glLineStipple and glClipPlane work)
// made current without any surface, drawing into a framebuffer object of a
// fixed size. Needs no X server; used for command-line rendering, thumbnails
// and the GL tests. Construction never aborts: check ok() and error().
//
// Single thread: the context is made current on the constructing thread and
// the EGL display is shared by all instances (terminated with the last one).
#include <string>
#include <vector>

#include <QtGui/QImage>

class EglContext {
public:
    // Creates the context and a width × height RGBA8 + depth/stencil
    // framebuffer object, makes it current, binds the framebuffer object and
    // sets the viewport to cover it.
    EglContext(int width, int height);
    ~EglContext();
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    bool ok() const { return ok_; }
    // Why the context could not be made; empty when ok().
    const std::string& error() const { return error_; }

    int width() const { return width_; }
    int height() const { return height_; }

    // Makes this context current again with its framebuffer object bound.
    bool makeCurrent();

    // The framebuffer as width × height × 4 bytes RGBA, first row at the TOP
    // of the picture (as images are stored, not as glReadPixels returns it).
    // Empty when not ok().
    std::vector<unsigned char> readPixels();
    // The same picture as a QImage (Format_RGBA8888); a null image when not ok().
    QImage toQImage();

private:
    bool create();
    bool createDisplay();
    bool createContext();
    bool createFramebuffer();
    void destroy();
    bool fail(const std::string& message);

    int width_ = 0;
    int height_ = 0;
    bool ok_ = false;
    std::string error_;
    // EGLDisplay, EGLContext (both pointers in EGL), kept opaque so that this
    // header does not spread EGL's platform headers.
    void* display_ = nullptr;
    void* context_ = nullptr;
    unsigned framebuffer_ = 0;
    unsigned colourBuffer_ = 0;
    unsigned depthBuffer_ = 0;
};
