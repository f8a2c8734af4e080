// "Room acoustics...": the room's volume, total and absorption areas and the
// reverberation times by Sabine and Eyring per octave band in a table, with
// a plot of both; air absorption can be taken into account.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/ModelCheck.h"
#include "analysis/RoomAcoustics.h"
#include "model/Document.h"
#include "ui/Dialog.h"

namespace tools {

// The program's choice of air absorption, kept from one use to the next.
struct AirSetting {
    bool on = false;
    analysis::AirCondition condition;
};

class RoomAcousticsBox final : public ui::Dialog {
public:
    static constexpr int tableId = 112;
    static constexpr int summaryId = 115;
    static constexpr int temperatureId = 120;
    static constexpr int humidityId = 121;
    static constexpr int plotId = 130;
    static constexpr int airId = 141;
    static constexpr int plotWidth = 420;
    static constexpr int plotHeight = 220;

    RoomAcousticsBox(model::Document& doc, const analysis::CheckReport& check, AirSetting& air)
        : doc_(doc), check_(check), air_(air)
    {
    }
    const char* templateName() const override { return "RoomAcousticsBox"; }
    void onInit(ui::DialogControls& c) override;
    void onCommand(ui::DialogControls& c, int id) override;
    void onChange(ui::DialogControls& c, int id) override;

    const analysis::RoomAcoustics& acoustics() const { return room_; }

    // "Volume: 480.00 m3   Area: 424.00 m2   ..." or why there are no times.
    static std::string summary(const analysis::CheckReport& check, const analysis::RoomAcoustics& room);
    // The band table: a heading and one row each for the absorption area,
    // (the air's attenuation,) Sabine and Eyring; cells separated by tabs.
    static std::vector<std::string> table(const analysis::RoomAcoustics& room);

private:
    void refresh(ui::DialogControls& c);
    // The air condition from the fields, when it is on and can be used.
    void readAir(ui::DialogControls& c);

    model::Document& doc_;
    const analysis::CheckReport& check_;
    AirSetting& air_;
    analysis::RoomAcoustics room_;
};

// Checks the model for its volume and shows the figures.
void showRoomAcoustics(model::Document& doc, const analysis::CheckOptions& options, AirSetting& air);

}  // namespace tools
