// Record keywords to entity kinds.
#include "model/EntityFactory.h"

#include "model/Door.h"
#include "model/EntityList.h"
#include "model/Hole.h"
#include "model/Ray.h"
#include "model/Source.h"
#include "model/Text.h"
#include "model/Wall.h"

namespace model {

std::unique_ptr<Entity> createEntity(std::string_view keyword)
{
    if (keyword.size() < 3 || keyword.size() > 10) {
        return nullptr;
    }
    // Faces are by far the most frequent records: test them first.
    if (equalIgnoringCase(keyword, "Face")) {
        return std::make_unique<Face>();
    }
    if (equalIgnoringCase(keyword, "Wall")) {
        return std::make_unique<Wall>();
    }
    if (equalIgnoringCase(keyword, "Door")) {
        return std::make_unique<Door>();
    }
    if (equalIgnoringCase(keyword, "Hole")) {
        return std::make_unique<Hole>();
    }
    if (equalIgnoringCase(keyword, "Receiver")) {
        return std::make_unique<Receiver>();
    }
    if (equalIgnoringCase(keyword, "Source")) {
        return std::make_unique<Source>();
    }
    if (equalIgnoringCase(keyword, "Ray")) {
        return std::make_unique<Ray>();
    }
    if (equalIgnoringCase(keyword, "Text")) {
        return std::make_unique<Text>();
    }
    if (equalIgnoringCase(keyword, "EntityList")) {
        return std::make_unique<EntityList>();
    }
    return nullptr;
}

}  // namespace model
