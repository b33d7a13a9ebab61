// SPDX-License-Identifier: MIT
#include "render/EglContext.h"

#include <cstdio>
#include <cstring>

#include "render/GL.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace {

// Largest side accepted before asking GL: keeps width × height × 4 far from overflow.
constexpr int kMaxSide = 16384;

// One EGL display serves every context; EGL terminates a display for all its
// users at once, so the last context to go terminates it.
int liveContexts = 0;

// Framebuffer-object entry points (OpenGL 3.0 / ARB_framebuffer_object),
// which libGL does not export as OpenGL 1.1 symbols.
struct FramebufferFunctions {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;

    bool load()
    {
        genFramebuffers = lookUp<PFNGLGENFRAMEBUFFERSPROC>("glGenFramebuffers");
        bindFramebuffer = lookUp<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer");
        deleteFramebuffers = lookUp<PFNGLDELETEFRAMEBUFFERSPROC>("glDeleteFramebuffers");
        framebufferRenderbuffer =
            lookUp<PFNGLFRAMEBUFFERRENDERBUFFERPROC>("glFramebufferRenderbuffer");
        checkFramebufferStatus =
            lookUp<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus");
        genRenderbuffers = lookUp<PFNGLGENRENDERBUFFERSPROC>("glGenRenderbuffers");
        bindRenderbuffer = lookUp<PFNGLBINDRENDERBUFFERPROC>("glBindRenderbuffer");
        deleteRenderbuffers = lookUp<PFNGLDELETERENDERBUFFERSPROC>("glDeleteRenderbuffers");
        renderbufferStorage = lookUp<PFNGLRENDERBUFFERSTORAGEPROC>("glRenderbufferStorage");
        return genFramebuffers && bindFramebuffer && deleteFramebuffers &&
               framebufferRenderbuffer && checkFramebufferStatus && genRenderbuffers &&
               bindRenderbuffer && deleteRenderbuffers && renderbufferStorage;
    }

private:
    template <typename F>
    static F lookUp(const char* name)
    {
        return reinterpret_cast<F>(eglGetProcAddress(name));
    }
};

FramebufferFunctions fbo;

bool hasExtension(const char* list, const char* name)
{
    if (list == nullptr)
        return false;
    const size_t length = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += length) {
        const bool startsWord = p == list || p[-1] == ' ';
        const bool endsWord = p[length] == ' ' || p[length] == '\0';
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

std::string eglErrorText(const char* what)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
    return std::string(what) + " failed (EGL error " + code + ")";
}

}  // namespace

EglContext::EglContext(int width, int height) : width_(width), height_(height)
{
    ok_ = create();
    if (!ok_)
        destroy();
}

EglContext::~EglContext()
{
    destroy();
}

bool EglContext::fail(const std::string& message)
{
    error_ = message;
    return false;
}

bool EglContext::create()
{
    if (width_ <= 0 || height_ <= 0 || width_ > kMaxSide || height_ > kMaxSide)
        return fail("framebuffer size " + std::to_string(width_) + " x " +
                    std::to_string(height_) + " is not usable");
    return createDisplay() && createContext() && createFramebuffer();
}

bool EglContext::createDisplay()
{
    // Client extensions are queried without a display; a null answer means
    // EGL_EXT_client_extensions itself is missing.
    const char* client = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!hasExtension(client, "EGL_MESA_platform_surfaceless"))
        return fail("EGL_MESA_platform_surfaceless is not available");
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr)
        return fail("eglGetPlatformDisplayEXT is not available");
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY,
                                            nullptr);
    if (display == EGL_NO_DISPLAY)
        return fail(eglErrorText("eglGetPlatformDisplay"));
    EGLint major = 0;
    EGLint minor = 0;
    if (!eglInitialize(display, &major, &minor))
        return fail(eglErrorText("eglInitialize"));
    display_ = display;
    ++liveContexts;
    if (!hasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context"))
        return fail("EGL_KHR_surfaceless_context is not available");
    return true;
}

bool EglContext::createContext()
{
    if (!eglBindAPI(EGL_OPENGL_API))
        return fail(eglErrorText("eglBindAPI(EGL_OPENGL_API)"));
    // Surface type 0 matches every config: no surface is ever created.
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, 0, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display_, configAttributes, &config, 1, &count) || count < 1)
        return fail(eglErrorText("eglChooseConfig for desktop OpenGL"));
    // No version or profile asked: desktop OpenGL then gives the highest
    // compatibility profile, where the fixed-function pipeline exists.
    const EGLint contextAttributes[] = {EGL_NONE};
    EGLContext context = eglCreateContext(display_, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT)
        return fail(eglErrorText("eglCreateContext"));
    context_ = context;
    if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_))
        return fail(eglErrorText("eglMakeCurrent without a surface"));
    if (glGetString(GL_VERSION) == nullptr)
        return fail("the OpenGL context answers no version");
    return true;
}

bool EglContext::createFramebuffer()
{
    if (!fbo.load())
        return fail("the framebuffer object functions are not available");
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSide);
    if (width_ > maxSide || height_ > maxSide)
        return fail("framebuffer larger than GL_MAX_RENDERBUFFER_SIZE");
    fbo.genFramebuffers(1, &framebuffer_);
    fbo.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    fbo.genRenderbuffers(1, &colourBuffer_);
    fbo.bindRenderbuffer(GL_RENDERBUFFER, colourBuffer_);
    fbo.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width_, height_);
    fbo.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                colourBuffer_);
    fbo.genRenderbuffers(1, &depthBuffer_);
    fbo.bindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
    fbo.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width_, height_);
    fbo.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                depthBuffer_);
    const GLenum status = fbo.checkFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE)
        return fail("the framebuffer object is incomplete");
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glViewport(0, 0, width_, height_);
    return true;
}

void EglContext::destroy()
{
    if (display_ == nullptr)
        return;
    EGLDisplay display = display_;
    if (context_ != nullptr &&
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) {
        if (framebuffer_ != 0)
            fbo.deleteFramebuffers(1, &framebuffer_);
        const GLuint renderbuffers[] = {colourBuffer_, depthBuffer_};
        if (fbo.deleteRenderbuffers != nullptr)
            fbo.deleteRenderbuffers(2, renderbuffers);  // zero names are ignored
    }
    framebuffer_ = colourBuffer_ = depthBuffer_ = 0;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != nullptr)
        eglDestroyContext(display, context_);
    context_ = nullptr;
    if (--liveContexts == 0)
        eglTerminate(display);
    eglReleaseThread();
    display_ = nullptr;
}

bool EglContext::makeCurrent()
{
    if (!ok_)
        return false;
    if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_))
        return fail(eglErrorText("eglMakeCurrent"));
    fbo.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glViewport(0, 0, width_, height_);
    return true;
}

std::vector<unsigned char> EglContext::readPixels()
{
    if (!makeCurrent())
        return {};
    const size_t rowBytes = static_cast<size_t>(width_) * 4;
    std::vector<unsigned char> bottomUp(rowBytes * static_cast<size_t>(height_));
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    // GL returns the bottom row first; pictures are stored top row first.
    std::vector<unsigned char> topDown(bottomUp.size());
    for (int row = 0; row < height_; ++row)
        std::memcpy(&topDown[row * rowBytes], &bottomUp[(height_ - 1 - row) * rowBytes], rowBytes);
    return topDown;
}

QImage EglContext::toQImage()
{
    const std::vector<unsigned char> pixels = readPixels();
    if (pixels.empty())
        return QImage();
    QImage image(width_, height_, QImage::Format_RGBA8888);
    for (int row = 0; row < height_; ++row)
        std::memcpy(image.scanLine(row), &pixels[static_cast<size_t>(row) * width_ * 4],
                    static_cast<size_t>(width_) * 4);
    return image;
}
