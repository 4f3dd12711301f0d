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

void ResetStationDirectory();
// Fills the combo box and StationTable from the built-in directory, then selects the stored
// station.
void FillStationDirectory();

}  // namespace app
