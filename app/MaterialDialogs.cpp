// Material chooser and face properties.
#include "app/MaterialDialogs.h"

#include <cstdio>
#include <cstdlib>

#include "materials/MaterialList.h"
#include "model/Face.h"
#include "ui/Platform.h"

namespace app {

namespace {
constexpr int idNumber = 120;
constexpr int idNames = 170;
constexpr int idBands = 112;
constexpr int idObstructing = 171;
constexpr int idMonopermeable = 151;
constexpr int idSameForAll = 172;
}  // namespace

std::vector<std::string> bandTableRows(long long n)
{
    const materials::MaterialInfo& r = materials::materialList().at(n);
    std::vector<std::string> rows;
    rows.push_back(" \t31Hz\t63Hz\t125Hz\t250Hz\t500Hz\t1KHz\t2KHz\t4KHz\t8KHz\t16KHz");
    char cell[32];
    auto row = [&](const char* label, const std::array<float, materials::bandCount>& values, const char* format) {
        std::string s = label;
        for (float v : values) {
            std::snprintf(cell, sizeof cell, format, static_cast<double>(v));
            s += cell;
        }
        return s;
    };
    rows.push_back(row("a", r.absorption, "\t%6.3f"));
    rows.push_back(r.hasReductionData() ? row("R", r.reduction, "\t%6.1f") : std::string("R"));
    rows.push_back(row("d", r.diffusion, "\t%6.3f"));
    return rows;
}

GetMaterial::GetMaterial(const materials::Material& start, bool offerSameForAll)
    : number(start.number), obstructing(start.obstructing), monopermeable(start.monopermeable), offer_(offerSameForAll)
{
}

int GetMaterial::entryOf(long long n) const
{
    for (std::size_t i = 0; i < numberOfEntry_.size(); ++i) {
        if (numberOfEntry_[i] == n) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

long long GetMaterial::typedNumber(const ui::DialogControls& c)
{
    std::string text = c.text(idNumber).substr(0, 15);
    return std::strtoll(text.c_str(), nullptr, 10);
}

void GetMaterial::fillBandTable(ui::DialogControls& c) const
{
    c.setItems(idBands, bandTableRows(number));
}

void GetMaterial::onInit(ui::DialogControls& c)
{
    updating = true;
    materials::MaterialList& list = materials::materialList();
    std::vector<std::string> names;
    numberOfEntry_.clear();
    for (int i = 0; i < materials::materialCount; ++i) {
        const materials::MaterialInfo& r = list.materialByNumber(i);  // from 0: the reload check
        if (r.number >= 0) {
            names.push_back(r.name);
            numberOfEntry_.push_back(i);
        }
    }
    c.setItems(idNames, names);
    c.setCurrentIndex(idNames, entryOf(number));
    c.setText(idNumber, std::to_string(number));
    fillBandTable(c);
    c.setChecked(idObstructing, obstructing);
    c.setChecked(idMonopermeable, monopermeable);
    c.setVisible(idSameForAll, offer_);
    c.setChecked(idSameForAll, false);
    sameForAll = false;
    updating = false;
}

void GetMaterial::onChange(ui::DialogControls& c, int id)
{
    if (updating || id != idNames) {
        return;
    }
    int entry = c.currentIndex(idNames);
    if (entry < 0 || entry >= static_cast<int>(numberOfEntry_.size())) {
        return;
    }
    number = numberOfEntry_[static_cast<std::size_t>(entry)];
    updating = true;
    c.setText(idNumber, std::to_string(number));
    updating = false;
    fillBandTable(c);
}

void GetMaterial::onFocusLost(ui::DialogControls& c, int id)
{
    if (id != idNumber) {
        return;
    }
    long long typed = typedNumber(c);
    int entry = entryOf(typed);
    if (entry < 0) {
        ui::errorBox("Bad material number!");
        return;
    }
    number = typed;
    c.setCurrentIndex(idNames, entry);
    fillBandTable(c);
}

void GetMaterial::onCommand(ui::DialogControls& c, int id)
{
    switch (id) {
    case idObstructing:
        obstructing = !obstructing;
        break;
    case idMonopermeable:
        monopermeable = !monopermeable;
        if (monopermeable && !obstructing) {
            obstructing = true;
            c.setChecked(idObstructing, true);
        }
        break;
    case idSameForAll:
        sameForAll = !sameForAll;
        break;
    case ui::idOk: {
        long long typed = typedNumber(c);
        if (typed >= materials::materialCount) {
            // Beyond the table no lookup could serve the face.
            ui::errorBox("Bad material number!");
            return;
        }
        number = typed < 0 ? 0 : typed;
        result = sameForAll ? 2 : 1;
        c.end(result);
        break;
    }
    case ui::idCancel:
        // 0, never 2: cancelling must not hand a material to every face.
        result = 0;
        c.end(0);
        break;
    default:
        break;
    }
}

int chooseMaterial(materials::Material& material, bool offerSameForAll, unsigned& lastChosen)
{
    materials::Material start = material;
    if (start.number == 0) {
        start.number = lastChosen;
    }
    GetMaterial box(start, offerSameForAll);
    ui::DialogResult r = box.runModal();
    if (r == ui::DialogResult::Cancel) {
        return 0;
    }
    material.number = static_cast<std::uint32_t>(box.number);
    material.obstructing = box.obstructing;
    material.monopermeable = box.monopermeable;
    lastChosen = material.number;
    return r == ui::DialogResult::OkForAll ? 2 : 1;
}

void FaceBox::onInit(ui::DialogControls& c)
{
    chosen_ = face_.material;
    char buf[160];
    for (int i = 0; i < 4; ++i) {
        if (i < face_.vertexCount()) {
            const geometry::X3DPoint& p = face_.vertices[static_cast<std::size_t>(i)];
            std::snprintf(buf, sizeof buf, "x= %lg   y= %lg   z= %lg", p.x, p.y, p.z);
            c.setText(120 + i, buf);
        }
    }
}

void FaceBox::onCommand(ui::DialogControls& c, int id)
{
    if (id == 170) {
        materials::Material copy = chosen_;
        if (chooseMaterial(copy, false, lastChosen_) != 0) {
            chosen_ = copy;
        }
        return;
    }
    if (id == ui::idOk) {
        face_.material = chosen_;
    }
    Dialog::onCommand(c, id);
}

}  // namespace app
