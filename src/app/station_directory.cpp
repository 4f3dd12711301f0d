#include "app/station_directory.h"

#include <cstring>

#include "app/settings.h"
#include "common/ids.h"
#include "common/text.h"
#include "platform/platform.h"

namespace app {
namespace {

constexpr const char* kEndOfDirectory = "fin";

// Field n (0-based) of a line split at its commas; a field that does not exist is empty.
std::string Field(const std::string& line, int n) {
    std::size_t start = 0;
    for (int i = 0; i < n; ++i) {
        start = line.find(',', start);
        if (start == std::string::npos) return {};
        ++start;
    }
    return line.substr(start, line.find(',', start) - start);
}

bool IsSeparator(const std::string& line) { return common::TrimSpaces(line).starts_with('-'); }

}  // namespace

std::vector<StationEntry> StationTable;

void ResetStationDirectory() { StationTable.clear(); }

void FillStationDirectoryFrom(const char* const* lines) {
    int station_number = 0;
    for (const char* const* cursor = lines; std::strcmp(*cursor, kEndOfDirectory) != 0; ++cursor) {
        const std::string line = *cursor;
        ++station_number;
        StationTable.push_back({Field(line, 0), Field(line, 1)});
        const std::string& name = StationTable.back().Name;
        if (IsSeparator(line)) {
            platform::TheGui().AddItem(common::StationCombo, "-" + name);
            --station_number;
        } else {
            platform::TheGui().AddItem(common::StationCombo,
                                       std::to_string(station_number) + "-" + name);
        }
    }
}

void FillStationDirectory() { FillStationDirectoryFrom(BuiltInStationLines); }

void SelectSavedStation() {
    const int index = Settings.SavedStationIndex;
    const bool listed = index >= 0 && index < static_cast<int>(StationTable.size());
    platform::TheGui().SetControlState(common::StationCombo, listed ? index : -1);
}

}  // namespace app
