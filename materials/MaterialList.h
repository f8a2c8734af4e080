// The material database: 1024 numbered slots loaded from tolvane.mat and
// tolcolor.mat, with lookups by number and by text and the hot reload.
#pragma once

#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "materials/Material.h"
#include "materials/MaterialInfo.h"

namespace materials {

class MaterialList {
public:
    // With an empty directory the files are looked up in the current
    // directory, and the bundled files serve where it has none; otherwise
    // both files are taken from that directory only.
    explicit MaterialList(std::string directory = {});

    static constexpr int typeCode() { return 1062; }
    static const char* className() { return "MaterialList"; }

    // Reads tolvane.mat, then tolcolor.mat, then notes the modification time.
    // Never empties the table: slots neither file mentions keep their data.
    void load();

    // Record n. Looking up number 0 first reloads both files when tolvane.mat
    // changed since the last load. A number outside the table answers record 0.
    MaterialInfo& materialByNumber(long long n);
    // A text that reads as a positive integer or begins with a digit is a
    // number; any other text is a name, compared ignoring case; no match
    // answers record 0.
    MaterialInfo& materialByText(std::string_view text);
    // The slot number of a record of this list (also for slots no file
    // defined, whose `number` is -1).
    int indexOf(const MaterialInfo& record) const { return static_cast<int>(&record - records_.data()); }
    // Slot i without the reload check (0 <= i < 1024; others answer slot 0).
    MaterialInfo& at(long long i);
    const MaterialInfo& at(long long i) const;

    // The record's colour while material colours are shown, cyan otherwise.
    ui::Colour colourOf(const MaterialInfo& record) const;
    // Faces are painted in their material colours only while the
    // material-area summary is open.
    bool materialColoursShown = false;

    void clearUsed();
    void markUsed(long long number);
    void clearAreas();
    // "MaterialList", every used record in number order, "End"; nothing at
    // all when no record is used.
    void writeUsed(textio::TextWriter& out) const;

    // The two file grammars, applied to text already in memory.
    void readMaterialText(std::string_view text);
    void readColourText(std::string_view text);

    std::time_t loadedTime() const { return loadedTime_; }
    std::string materialPath() const;
    std::string colourPath() const;

private:
    std::vector<MaterialInfo> records_;
    std::string directory_;
    std::time_t loadedTime_ = 0;
};

// The program's database: where its files come from and the table, loaded
// on first use. The program's context installs one (ui/Installed.h).
struct MaterialState {
    std::string directory;
    std::unique_ptr<MaterialList> list;
};

// The installed database, created and loaded on first use.
MaterialList& materialList();
// Where the program's database takes its files from (empty: the current
// directory with the bundled fallback). Drops the loaded database, so the
// next use loads afresh.
void setMaterialDirectory(const std::string& directory);

}  // namespace materials
