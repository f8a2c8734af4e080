// Check reports as text and JSON.
#include "app/CheckOutput.h"

#include <cstdio>

#include "app/Json.h"

namespace app {

namespace {

std::string jsonPoint(const geometry::X3DPoint& p)
{
    return "[" + jsonNumber(p.x) + ", " + jsonNumber(p.y) + ", " + jsonNumber(p.z) + "]";
}

std::string jsonMaybe(const std::optional<double>& v)
{
    return v ? jsonNumber(*v) : "null";
}

template <typename Each>
std::string jsonArray(std::size_t n, Each each)
{
    std::string out = "[";
    for (std::size_t i = 0; i < n; ++i) {
        out += (i ? ", " : "") + each(i);
    }
    return out + "]";
}

std::string fixed(double v, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string bandRow(const char* label, const std::string* cells)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%-14s", label);
    std::string line = buf;
    for (int b = 0; b < materials::bandCount; ++b) {
        std::snprintf(buf, sizeof buf, "%8s", cells[b].c_str());
        line += buf;
    }
    return line + "\n";
}

}  // namespace

std::string formatSeconds(const std::optional<double>& t)
{
    return t ? fixed(*t, 2) : std::string("-");
}

std::string checkJson(const std::string& file, const analysis::CheckReport& check, const analysis::RoomAcoustics& room)
{
    std::string out = "{\"file\": " + jsonString(file);
    out += ", \"closed\": " + std::string(check.closed ? "true" : "false");
    out += ", \"volume\": " + jsonMaybe(check.volume);
    out += ", \"area\": " + jsonNumber(check.area);
    out += ", \"materials\": " + jsonArray(room.materials.size(), [&](std::size_t i) {
               const analysis::MaterialArea& m = room.materials[i];
               return "{\"number\": " + std::to_string(m.number) + ", \"name\": " + jsonString(m.name) +
                      ", \"area\": " + jsonNumber(m.area) + "}";
           });
    out += ", \"bands\": " +
           jsonArray(materials::bandCount, [](std::size_t b) { return jsonNumber(analysis::bandCentres[b]); });
    out += ", \"sabine\": " + jsonArray(materials::bandCount, [&](std::size_t b) { return jsonMaybe(room.sabine[b]); });
    out += ", \"eyring\": " + jsonArray(materials::bandCount, [&](std::size_t b) { return jsonMaybe(room.eyring[b]); });
    if (room.air) {
        out += ", \"air\": {\"temperature\": " + jsonNumber(room.air->temperature) +
               ", \"humidity\": " + jsonNumber(room.air->humidity) + ", \"standard\": \"ISO 9613-1\"" +
               ", \"attenuation\": " +
               jsonArray(materials::bandCount, [&](std::size_t b) { return jsonNumber(room.airAttenuation[b]); }) + "}";
    }
    // Problems can number in the hundreds of thousands: appended in place.
    out.reserve(out.size() + check.problems.size() * 240 + 16);
    out += ", \"problems\": [";
    for (std::size_t i = 0; i < check.problems.size(); ++i) {
        const analysis::Problem& p = check.problems[i];
        out += i ? ", {\"kind\": " : "{\"kind\": ";
        out += jsonString(analysis::kindName(p.kind));
        out += ", \"level\": ";
        out += jsonString(p.levelName());
        out += ", \"message\": ";
        out += jsonString(p.message);
        out += ", \"entities\": [";
        for (std::size_t k = 0; k < p.entities.size(); ++k) {
            out += k ? ", " : "";
            out += std::to_string(p.entities[k]);
        }
        out += "], \"at\": ";
        out += jsonPoint(p.at);
        out += "}";
    }
    out += "]}\n";
    return out;
}

std::string checkText(const std::string& file, const analysis::CheckReport& check, const analysis::RoomAcoustics& room)
{
    std::string out = "File:       " + file + "\n";
    if (check.faces == 0) {
        out += "Faces:      none\n";
    } else {
        out += "Faces:      " + std::to_string(check.faces) + " in " + std::to_string(check.shells) +
               (check.shells == 1 ? " shell, " : " shells, ") + std::to_string(check.closedShells) + " closed\n";
    }
    out += "Closed:     " + std::string(check.closed ? "yes" : "no") + "\n";
    if (check.volume) {
        out += "Volume:     " + fixed(*check.volume, 2) + " m3\n";
    } else {
        out += std::string("Volume:     none (") +
               (check.faces == 0 ? "the model has no faces" : "the room is not closed") + ")\n";
    }
    out += "Area:       " + fixed(check.area, 2) + " m2";
    if (check.holeArea > 0.0) {
        out += " (of which open holes " + fixed(check.holeArea, 2) + " m2)";
    }
    out += "\nMaterials:";
    out += room.materials.empty() ? " none\n" : "\n";
    char line[200];
    for (const analysis::MaterialArea& m : room.materials) {
        std::snprintf(line, sizeof line, "  %4d  %-32s %12.2f m2\n", m.number, m.name.c_str(), m.area);
        out += line;
    }
    if (room.air) {
        out += "Air:        " + fixed(room.air->temperature, 1) + " C, " + fixed(room.air->humidity, 0) +
               " % relative humidity (absorption after ISO 9613-1)\n";
    }
    std::string cells[materials::bandCount];
    for (int b = 0; b < materials::bandCount; ++b) {
        cells[b] = materials::bandLabels[b];
    }
    out += bandRow("Band", cells);
    for (int b = 0; b < materials::bandCount; ++b) {
        cells[b] = fixed(room.absorption[b], 2);
    }
    out += bandRow("A (m2)", cells);
    if (room.air) {
        for (int b = 0; b < materials::bandCount; ++b) {
            cells[b] = fixed(room.airAttenuation[b] * 1000.0, 3);
        }
        out += bandRow("Air m (1/km)", cells);
    }
    for (int b = 0; b < materials::bandCount; ++b) {
        cells[b] = formatSeconds(room.sabine[b]);
    }
    out += bandRow("Sabine (s)", cells);
    for (int b = 0; b < materials::bandCount; ++b) {
        cells[b] = formatSeconds(room.eyring[b]);
    }
    out += bandRow("Eyring (s)", cells);
    int errors = check.errors();
    int warnings = check.warnings();
    out += "Problems:   " + std::to_string(check.problems.size()) + " (" + std::to_string(errors) +
           (errors == 1 ? " error, " : " errors, ") + std::to_string(warnings) +
           (warnings == 1 ? " warning)\n" : " warnings)\n");
    for (const analysis::Problem& p : check.problems) {
        std::snprintf(line, sizeof line, "  %-8s %-17s ", p.levelName(), analysis::kindName(p.kind));
        out += line + p.message + "\n";
        out += std::string(29, ' ') + "entities";
        for (std::size_t k = 0; k < p.entities.size(); ++k) {
            out += (k ? ", " : " ") + std::to_string(p.entities[k]);
        }
        if (p.entities.empty()) {
            out += " none";
        }
        out += "; at (" + fixed(p.at.x, 3) + ", " + fixed(p.at.y, 3) + ", " + fixed(p.at.z, 3) + ")\n";
    }
    return out;
}

}  // namespace app
