// Reading and writing whole project files (".ray").
#pragma once

#include <string>

#include "model/Document.h"

namespace textio {
class TokenReader;
class TextWriter;
}  // namespace textio

namespace storage {

// Whether a name is a project's: it holds ".ray" or ".RAY" anywhere (other
// names are drawings to import).
bool isProjectName(const std::string& name);

// The first token must be "EntityList" (otherwise "<token>: Unknown entity"
// is shown and nothing is read); then the model's records and notes are read
// into the model. An empty stream reads nothing. False when any record failed.
bool readProject(textio::TokenReader& in, model::Document& doc);

// Reads the named project into the model as the program opens files: a name
// in double quotes loses them; "Can't read the file %s" when it cannot be
// opened or read; drawing and the modified mark stay off while loading, the
// wait cursor and a progress bar over the file's size show meanwhile.
// False when the file could not be read in full.
bool openProject(const std::string& name, model::Document& doc);

// Writes the whole project (entities, notes, materials used).
bool writeProject(textio::TextWriter& out, const model::Document& doc);

// Writes the project over path safely (temporary file, then rename): the
// previous file stays untouched unless the new one was written in full.
bool writeProjectFile(const std::string& path, const model::Document& doc);

}  // namespace storage
