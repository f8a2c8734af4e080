// The list of project notes.
#pragma once

#include "model/EntityList.h"

namespace model {

class Info;

class InfoList : public EntityList {
public:
    int typeCode() const override { return type::InfoList; }
    const char* className() const override { return "InfoList"; }

    void write(textio::TextWriter& out) const override;
    // "Info" records up to "End"; any other word is an unknown entity and
    // ends the block as a failure.
    bool read(textio::TokenReader& in) override;

    // The entry named "Notes" (ignoring case), created when missing.
    Info& projectNotes();
};

}  // namespace model
