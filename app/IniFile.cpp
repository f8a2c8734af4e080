// Ini text lookup and rewriting.
#include "app/IniFile.h"

#include <vector>

#include "textio/RealFormat.h"

namespace app {

namespace {

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        lines.push_back(text.substr(0, nl));
        if (nl == std::string_view::npos) {
            break;
        }
        text.remove_prefix(nl + 1);
    }
    return lines;
}

// A section header's name, or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = textio::trimmed(line);
    if (line.size() < 2 || line.front() != '[') {
        return std::nullopt;
    }
    std::size_t close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return textio::trimmed(line.substr(1, close - 1));
}

bool keyOf(std::string_view line, std::string_view& key, std::string_view& value)
{
    line = textio::trimmed(line);
    if (line.empty() || line.front() == ';' || line.front() == '#') {
        return false;
    }
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return false;
    }
    key = textio::trimmed(line.substr(0, eq));
    value = textio::trimmed(line.substr(eq + 1));
    return true;
}

}  // namespace

std::optional<std::string> iniValue(std::string_view text, std::string_view section, std::string_view key)
{
    bool inSection = false;
    for (std::string_view line : splitLines(text)) {
        if (auto name = sectionName(line)) {
            inSection = textio::equalIgnoringCase(*name, section);
            continue;
        }
        std::string_view k;
        std::string_view v;
        if (inSection && keyOf(line, k, v) && textio::equalIgnoringCase(k, key)) {
            if (v.size() >= 2 && v.front() == '"' && v.back() == '"') {
                v = v.substr(1, v.size() - 2);
            }
            return std::string(v);
        }
    }
    return std::nullopt;
}

std::string iniWithValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    std::vector<std::string_view> lines = splitLines(text);
    std::string entry = std::string(key) + "=" + std::string(value);
    bool inSection = false;
    std::ptrdiff_t lastOfSection = -1;
    std::ptrdiff_t replace = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = sectionName(lines[i])) {
            if (inSection && lastOfSection >= 0) {
                break;  // the first matching section ended without the key
            }
            inSection = textio::equalIgnoringCase(*name, section);
            if (inSection) {
                lastOfSection = static_cast<std::ptrdiff_t>(i);
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        std::string_view k;
        std::string_view v;
        if (keyOf(lines[i], k, v) && textio::equalIgnoringCase(k, key)) {
            replace = static_cast<std::ptrdiff_t>(i);
            break;
        }
        if (!textio::trimmed(lines[i]).empty()) {
            lastOfSection = static_cast<std::ptrdiff_t>(i);
        }
    }
    std::string out;
    auto emit = [&out](std::string_view line) {
        out.append(line);
        out.push_back('\n');
    };
    if (lastOfSection < 0 && replace < 0) {
        for (std::string_view line : lines) {
            emit(line);
        }
        emit("[" + std::string(section) + "]");
        emit(entry);
        return out;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (static_cast<std::ptrdiff_t>(i) == replace) {
            emit(entry);
            continue;
        }
        emit(lines[i]);
        if (replace < 0 && static_cast<std::ptrdiff_t>(i) == lastOfSection) {
            emit(entry);
        }
    }
    return out;
}

}  // namespace app
