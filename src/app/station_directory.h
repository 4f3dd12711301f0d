#pragma once

#include <string>
#include <vector>

namespace app {

struct StationEntry {
    std::string Name;
    std::string Url;
};

// Indexed like the items of the station combo box, separators included.
extern std::vector<StationEntry> StationTable;

// The directory built into the program: "name,address" lines, ended by the line "fin". Generated
// from data/stations.tsv at build time.
extern const char* const BuiltInStationLines[];

void ResetStationDirectory();
// Fills StationTable and the combo box from the built-in lines, numbering the stations 1, 2, ...
// while separators take no number. Nothing is selected afterwards.
void FillStationDirectory();
// The same from other lines, which must end with "fin".
void FillStationDirectoryFrom(const char* const* lines);
// Selects the stored station's item when it is one of the directory's, none otherwise, without
// raising a control event.
void SelectSavedStation();

}  // namespace app
