// Project notes list.
#include "model/InfoList.h"

#include "model/Info.h"
#include "textio/TokenReader.h"
#include "ui/Platform.h"

namespace model {

void InfoList::write(textio::TextWriter& out) const
{
    writeList(out, "InfoList");
}

bool InfoList::read(textio::TokenReader& in)
{
    for (;;) {
        std::string_view token = in.token();
        if (reportTooLong(in)) {
            return false;
        }
        if (token.empty()) {
            in.endedInList = true;
            return true;
        }
        if (equalIgnoringCase(token, "End")) {
            return true;
        }
        if (!equalIgnoringCase(token, "Info")) {
            reportUnknown(in, token);
            return false;
        }
        auto info = std::make_unique<Info>();
        info->read(in);
        if (reportTooLong(in)) {
            return false;
        }
        append(std::move(info));
    }
}

Info& InfoList::projectNotes()
{
    for (const auto& child : children_) {
        if (child->typeCode() == type::Info && equalIgnoringCase(static_cast<Info&>(*child).name, "Notes")) {
            return static_cast<Info&>(*child);
        }
    }
    auto info = std::make_unique<Info>("Notes");
    Info& ref = *info;
    append(std::move(info));
    return ref;
}

}  // namespace model
