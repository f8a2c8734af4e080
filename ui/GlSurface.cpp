// Serial numbers of OpenGL contexts, and which of them still exist.
#include "ui/GlSurface.h"

#include <set>

namespace ui {

namespace {

std::set<std::uint64_t>& liveContexts()
{
    static std::set<std::uint64_t> live;
    return live;
}

}  // namespace

std::uint64_t newContextSerial()
{
    static std::uint64_t last = 0;
    liveContexts().insert(++last);
    return last;
}

void contextDestroyed(std::uint64_t serial)
{
    liveContexts().erase(serial);
}

bool contextExists(std::uint64_t serial)
{
    return liveContexts().count(serial) != 0;
}

}  // namespace ui
