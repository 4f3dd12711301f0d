#include "app/station_directory.h"

namespace app {

std::vector<StationEntry> StationTable;

void ResetStationDirectory() { StationTable.clear(); }

void FillStationDirectory() {}

}  // namespace app
