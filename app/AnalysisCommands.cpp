// The Tools menu's model check and room acoustics.
#include "app/Application.h"
#include "tools/CheckModelBox.h"
#include "tools/RoomAcousticsBox.h"

namespace app {

void Application::analysisCommand(int id)
{
    switch (id) {
    case cmd::CheckModel:
        tools::showModelCheck(document, views, checkOptions);
        break;
    case cmd::RoomAcoustics:
        tools::showRoomAcoustics(document, checkOptions, air);
        break;
    default:
        break;
    }
}

}  // namespace app
