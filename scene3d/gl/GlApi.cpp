// Loading the GL functions from a surface.
#include "scene3d/gl/GlApi.h"

namespace scene3d::gl {

bool GlApi::load(ui::GlSurface& surface)
{
    missing.clear();
#define KCAD_GL_LOAD(name, result, params)                                 \
    name = reinterpret_cast<result(*) params>(surface.procAddress(#name)); \
    if (!name && missing.empty()) {                                        \
        missing = #name;                                                   \
    }
    KCAD_GL_FUNCTIONS(KCAD_GL_LOAD)
#undef KCAD_GL_LOAD
    return missing.empty();
}

}  // namespace scene3d::gl
