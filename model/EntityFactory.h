// Turns a record keyword of a project file into a new, empty entity.
#pragma once

#include <memory>
#include <string_view>

namespace model {

class Entity;

// The keywords a list body reads (compared ignoring case): EntityList, Face,
// Hole, Door, Wall, Source, Receiver, Ray, Text. Anything else answers null.
std::unique_ptr<Entity> createEntity(std::string_view keyword);

}  // namespace model
