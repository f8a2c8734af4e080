// Off-screen OpenGL through OSMesa, loaded at run time.
#include "ui/headless/OsMesaSurface.h"

#include <dlfcn.h>

#include <GL/osmesa.h>

#include <cstdlib>
#include <new>

namespace ui::headless {

namespace {

using CreateContextExt = OSMesaContext (*)(GLenum, GLint, GLint, GLint, OSMesaContext);
using DestroyContext = void (*)(OSMesaContext);
using MakeCurrent = GLboolean (*)(OSMesaContext, void*, GLenum, GLsizei, GLsizei);
using PixelStore = void (*)(GLint, GLint);
using GetProcAddress = OSMESAproc (*)(const char*);

const char* defaultLibrary()
{
    const char* named = std::getenv("KCAD_OSMESA");
    return named && *named ? named : "libOSMesa.so.8";
}

}  // namespace

OsMesaSurface::OsMesaSurface() : OsMesaSurface(defaultLibrary()) {}

OsMesaSurface::OsMesaSurface(std::string library) : library_(std::move(library))
{
    pixels_.assign(4, 0);
}

OsMesaSurface::~OsMesaSurface()
{
    if (context_) {
        reinterpret_cast<DestroyContext>(destroyContext_)(static_cast<OSMesaContext>(context_));
        contextDestroyed(serial_);
    }
    // The library stays loaded: its drivers keep threads and handlers that
    // do not all go away with the last context.
}

bool OsMesaSurface::resize(int width, int height)
{
    width = width < 1 ? 1 : width;
    height = height < 1 ? 1 : height;
    if (width == width_ && height == height_) {
        return true;
    }
    try {
        std::vector<unsigned char> fresh(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
        pixels_.swap(fresh);
    } catch (const std::bad_alloc&) {
        failure_ = "not enough memory for a picture of " + std::to_string(width) + " by " + std::to_string(height) +
                   " pixels";
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

bool OsMesaSurface::load()
{
    if (context_) {
        return true;
    }
    if (!handle_) {
        // Local symbols: the library's own GL entry points must not take the
        // place of the window system's in the rest of the program.
        handle_ = dlopen(library_.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) {
            const char* why = dlerror();
            failure_ = "the off-screen OpenGL library " + library_ + " could not be loaded" +
                       (why ? std::string(" (") + why + ")" : std::string());
            return false;
        }
        createContext_ = dlsym(handle_, "OSMesaCreateContextExt");
        destroyContext_ = dlsym(handle_, "OSMesaDestroyContext");
        makeCurrent_ = dlsym(handle_, "OSMesaMakeCurrent");
        pixelStore_ = dlsym(handle_, "OSMesaPixelStore");
        getProcAddress_ = dlsym(handle_, "OSMesaGetProcAddress");
        if (!createContext_ || !destroyContext_ || !makeCurrent_ || !pixelStore_ || !getProcAddress_) {
            failure_ = library_ + " is not an OSMesa library";
            dlclose(handle_);
            handle_ = nullptr;
            return false;
        }
    }
    context_ = reinterpret_cast<CreateContextExt>(createContext_)(OSMESA_RGBA, 24, 0, 0, nullptr);
    if (!context_) {
        failure_ = "OSMesa could not make an OpenGL context";
        return false;
    }
    serial_ = newContextSerial();
    return true;
}

bool OsMesaSurface::makeCurrent()
{
    if (!load()) {
        return false;
    }
    if (pixels_.size() != static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4 ||
        !reinterpret_cast<MakeCurrent>(makeCurrent_)(static_cast<OSMesaContext>(context_), pixels_.data(),
                                                     GL_UNSIGNED_BYTE, width_, height_)) {
        failure_ = "OSMesa could not draw into a picture of " + std::to_string(width_) + " by " +
                   std::to_string(height_) + " pixels";
        return false;
    }
    // Row 0 at the top, as pictures are stored.
    reinterpret_cast<PixelStore>(pixelStore_)(OSMESA_Y_UP, 0);
    return true;
}

void OsMesaSurface::doneCurrent()
{
    if (makeCurrent_) {
        reinterpret_cast<MakeCurrent>(makeCurrent_)(nullptr, nullptr, 0, 0, 0);
    }
}

void OsMesaSurface::swapBuffers()
{
    if (onSwap) {
        onSwap();
    }
}

GlFunction OsMesaSurface::procAddress(const char* name)
{
    if (!getProcAddress_) {
        return nullptr;
    }
    return reinterpret_cast<GlFunction>(reinterpret_cast<GetProcAddress>(getProcAddress_)(name));
}

Image OsMesaSurface::image() const
{
    Image out;
    out.width = width_;
    out.height = height_;
    out.pixels.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    const unsigned char* p = pixels_.data();
    for (Colour& c : out.pixels) {
        c = rgb(p[0], p[1], p[2]);
        p += 4;
    }
    return out;
}

}  // namespace ui::headless
