#pragma once

// The fixed numbers under which the program knows its windows, controls, images, font, file and
// timer. They are part of the program's identity: other code and stored files rely on them.

namespace common {

enum WindowId : int {
    MainWindow = 0,
    PlaylistWindow = 1,
};

enum ControlId : int {
    PlayButton = 1,
    PauseButton = 2,
    StopButton = 3,
    RecordButton = 4,
    PlaylistButton = 5,
    PositionBar = 6,
    AddButton = 7,
    RemoveButton = 8,
    StationCombo = 9,
    PlaylistView = 13,
    VolumeSlider = 14,
};

enum EventKind : int {
    NoEvent = 0,
    LeftButtonPress = 513,
    RightButtonPress = 516,
    ControlEvent = 13100,
    TimerEvent = 13110,
    CloseRequest = 13116,
};

enum TimerId : int {
    ProbeTimer = 0,
};

enum FontId : int {
    MarqueeFontId = 12,
};

enum FileId : int {
    SettingsFileId = 2,
};

// Skin images by number.
enum ImageId : int {
    SkinImage = 0,
    ListButtonImage = 1,
    AddImage = 2,
    RemoveImage = 3,
    PlayImage = 4,
    PauseImage = 5,
    StopImage = 6,
    RecordImage = 7,
    PlayPressedImage = 8,
    PausePressedImage = 9,
    StopPressedImage = 10,
    RecordPressedImage = 11,
    AddPressedImage = 12,
    RemovePressedImage = 13,
    SpectrumBarImage = 14,
    TextColourImage = 15,
    kImageCount = 16,
};

constexpr int kMainWindowWidth = 300;
constexpr int kMainWindowHeight = 140;
constexpr int kPlaylistWindowWidth = 300;
constexpr int kPlaylistWindowHeight = 180;

}  // namespace common
