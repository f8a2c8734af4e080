// The room acoustics dialog.
#include "tools/RoomAcousticsBox.h"

#include <cstdio>

#include "materials/MaterialList.h"
#include "textio/RealFormat.h"
#include "tools/ReverberationPlot.h"
#include "ui/Canvas.h"
#include "ui/Platform.h"

namespace tools {

namespace {

std::string fixed(double v, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string seconds(const std::optional<double>& t)
{
    return t ? fixed(*t, 2) : std::string("-");
}

std::string formatted(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

}  // namespace

std::string RoomAcousticsBox::summary(const analysis::CheckReport& check, const analysis::RoomAcoustics& room)
{
    std::string s;
    if (room.volume) {
        s = "Volume: " + fixed(*room.volume, 2) + " m3   ";
    } else {
        s = check.faces == 0 ? "No faces: no room to measure.   "
                             : "The room is not closed: no volume and no times (see Check model...).   ";
    }
    s += "Area: " + fixed(room.area, 2) + " m2";
    if (room.holeArea > 0.0) {
        s += " (open holes " + fixed(room.holeArea, 2) + " m2)";
    }
    if (room.air) {
        s += "   Air: " + formatted(room.air->temperature) + " C, " + formatted(room.air->humidity) + " %";
    }
    return s;
}

std::vector<std::string> RoomAcousticsBox::table(const analysis::RoomAcoustics& room)
{
    std::string bands = "Band";
    std::string absorption = "Absorption area (m2)";
    std::string air = "Air, 4mV (m2)";
    std::string sabine = "Sabine (s)";
    std::string eyring = "Eyring (s)";
    for (int b = 0; b < materials::bandCount; ++b) {
        bands += std::string("\t") + materials::bandLabels[b];
        absorption += "\t" + fixed(room.absorption[b], 2);
        air += "\t" + fixed(4.0 * room.airAttenuation[b] * room.volume.value_or(0.0), 2);
        sabine += "\t" + seconds(room.sabine[b]);
        eyring += "\t" + seconds(room.eyring[b]);
    }
    std::vector<std::string> rows{bands, absorption};
    if (room.air && room.volume) {
        rows.push_back(air);
    }
    rows.push_back(sabine);
    rows.push_back(eyring);
    return rows;
}

void RoomAcousticsBox::readAir(ui::DialogControls& c)
{
    air_.on = c.isChecked(airId);
    analysis::AirCondition read;
    if (textio::parseReal(c.text(temperatureId), read.temperature) &&
        textio::parseReal(c.text(humidityId), read.humidity) && analysis::validAir(read)) {
        air_.condition = read;
    }
}

void RoomAcousticsBox::refresh(ui::DialogControls& c)
{
    std::optional<analysis::AirCondition> air;
    if (air_.on) {
        air = air_.condition;
    }
    room_ = analysis::roomAcoustics(doc_, materials::materialList(), check_.volume, check_.area, check_.holeArea, air);
    c.setText(summaryId, summary(check_, room_));
    c.setItems(tableId, table(room_));
    if (std::unique_ptr<ui::Canvas> canvas = ui::makeCanvas()) {
        canvas->resize(plotWidth, plotHeight);
        drawReverberationPlot(*canvas, plotWidth, plotHeight, room_.sabine, room_.eyring);
        c.setPicture(plotId, canvas->image());
    }
}

void RoomAcousticsBox::onInit(ui::DialogControls& c)
{
    c.setChecked(airId, air_.on);
    c.setText(temperatureId, formatted(air_.condition.temperature));
    c.setText(humidityId, formatted(air_.condition.humidity));
    refresh(c);
}

void RoomAcousticsBox::onCommand(ui::DialogControls& c, int id)
{
    if (id == airId) {
        readAir(c);
        refresh(c);
        return;
    }
    Dialog::onCommand(c, id);
}

void RoomAcousticsBox::onChange(ui::DialogControls& c, int id)
{
    if (id == temperatureId || id == humidityId) {
        // Half-typed numbers keep the last good condition.
        readAir(c);
        refresh(c);
    }
}

void showRoomAcoustics(model::Document& doc, const analysis::CheckOptions& options, AirSetting& air)
{
    analysis::CheckReport check;
    {
        ui::WaitCursor wait;
        check = analysis::checkModel(doc, materials::materialList(), options);
    }
    RoomAcousticsBox box(doc, check, air);
    box.runModal();
}

}  // namespace tools
