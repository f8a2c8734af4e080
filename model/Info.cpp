// Project notes.
#include "model/Info.h"

#include "model/EntityEditor.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"

namespace model {

Info::Info(std::string_view n) : name(n.empty() ? std::string_view("Notes") : n.substr(0, 31)) {}

void Info::setText(std::string_view t)
{
    hasBuffer_ = true;
    text_.clear();
    std::size_t i = 0;
    while (i < t.size()) {
        std::size_t end = t.find_first_of("\r\n", i);
        if (end == std::string_view::npos) {
            text_.append(t.substr(i));
            text_.push_back('\n');
            break;
        }
        text_.append(t.substr(i, end - i));
        text_.push_back('\n');
        i = end + ((t[end] == '\r' && end + 1 < t.size() && t[end + 1] == '\n') ? 2 : 1);
    }
}

void Info::write(textio::TextWriter& out) const
{
    if (text_.empty()) {
        return;
    }
    out.put("Info ");
    bool anyName = false;
    for (char c : name) {
        out.put(textio::isBlank(c) || c == '"' ? '_' : c);
        anyName = true;
    }
    if (!anyName) {
        out.put("Notes");
    }
    out.put(" \"\n");
    std::string_view rest(text_);
    while (!rest.empty()) {
        std::size_t nl = rest.find('\n');
        std::string_view line = rest.substr(0, nl);
        if (line.empty() || line.front() == '"') {
            out.put(' ');
        }
        out.put(line);
        out.put('\n');
        if (nl == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(nl + 1);
    }
    out.put("\n\"");
}

bool Info::read(textio::TokenReader& in)
{
    std::string_view line;
    name.clear();
    if (in.readLine(line)) {
        std::size_t b = 0;
        while (b < line.size() && (line[b] == ' ' || line[b] == '\t')) {
            ++b;
        }
        std::size_t e = b;
        while (e < line.size() && line[e] != ' ' && line[e] != '\t') {
            ++e;
        }
        name.assign(line.substr(b, std::min<std::size_t>(e - b, 31)));
    }
    while (in.readLine(line)) {
        if (!line.empty() && line.front() == '"') {
            break;
        }
        if (!line.empty()) {
            hasBuffer_ = true;
            text_.append(line);
            text_.push_back('\n');
        }
    }
    return true;
}

int Info::editProperties(EntityEditor& editor, bool)
{
    std::string edited = text_;
    int result = editor.editNotes(name, edited);
    if (result) {
        setText(edited);
    }
    return result;
}

}  // namespace model
