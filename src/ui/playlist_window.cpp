#include "ui/playlist_window.h"

#include "app/playlist.h"
#include "app/settings.h"
#include "audio/playback_controller.h"
#include "common/ids.h"
#include "platform/platform.h"
#include "ui/skin_images.h"
#include "ui/window_shape.h"

namespace ui {
namespace {

using namespace common;

constexpr const char* kWindowTitle = "Mp3_list";
constexpr const char* kRequesterTitle = "charger MP3";
constexpr const char* kMp3Filter = "MP3 (*.mp3 *.MP3 *.Mp3 *.mP3)";

platform::Gui& Gui() { return platform::TheGui(); }

bool OpenBelowMainWindow() {
    const platform::Point corner = Gui().WindowPosition(MainWindow);
    return Gui().OpenWindow(PlaylistWindow, corner.x, corner.y + kMainWindowHeight,
                            kPlaylistWindowWidth, kPlaylistWindowHeight, kWindowTitle);
}

// Once per run: the shaped instance stretches the skin picture both windows are painted from.
void ShapeFirstInstance() {
    OpenBelowMainWindow();
    ShapeWindow(PlaylistWindow, SkinImage, kWhite);
    PlaylistWindowFlags.PlaylistShaped = 1;
    Gui().CloseWindow(PlaylistWindow);
}

void CreatePlaylistControls() {
    Gui().CreateListBox(PlaylistView, 10, 10, 280, 130);
    Gui().SetControlColours(PlaylistView, Skin.TextColour, kBlack);
    Gui().CreateImageButton(AddButton, 30, 145, 20, 20, ImageOf(AddImage));
    Gui().CreateImageButton(RemoveButton, 80, 145, 20, 20, ImageOf(RemoveImage));
}

void OpenPlaylistWindow() {
    if (PlaylistWindowFlags.PlaylistShaped == 0) ShapeFirstInstance();
    if (!OpenBelowMainWindow()) return;
    Gui().SetToolWindow(PlaylistWindow, true);
    PaintSkin(PlaylistWindow, SkinImage);
    CreatePlaylistControls();
    FillPlaylistView();
    Gui().SetControlState(PlaylistView, app::PlaylistIndex);
}

// Without a folder of its own the requester starts in the user's home folder.
std::string RequesterFolder() {
    if (!app::Settings.LastMp3Folder.empty()) return app::Settings.LastMp3Folder;
    return platform::TheSystem().HomeFolder();
}

void InsertFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        app::PlaylistEntry& entry = app::Playlist.Insert();
        entry.Name = audio::FilePart(path);
        entry.Path = path;
    }
}

}  // namespace

PlaylistWindowState PlaylistWindowFlags;

void ResetPlaylistWindow() { PlaylistWindowFlags = PlaylistWindowState{}; }

std::string FolderPart(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

void TogglePlaylistWindow() {
    PlaylistWindowFlags.PlaylistShown = PlaylistWindowFlags.PlaylistShown == 0 ? 1 : 0;
    if (PlaylistWindowFlags.PlaylistShown == 0) {
        Gui().CloseWindow(PlaylistWindow);
        return;
    }
    OpenPlaylistWindow();
}

void SelectPlaylistEntry() {
    app::PlaylistIndex = Gui().ControlState(PlaylistView);
    if (app::PlaylistIndex > 0) app::Playlist.SelectIndex(app::PlaylistIndex - 1);
    audio::Playback.FileMode = 1;
}

void AddPlaylistFiles() {
    Gui().SetButtonImage(AddButton, ImageOf(AddPressedImage));
    const std::vector<std::string> paths =
        platform::TheSystem().OpenFiles(kRequesterTitle, RequesterFolder(), kMp3Filter);
    app::Settings.LastMp3Folder = paths.empty() ? std::string() : FolderPart(paths.front());
    InsertFiles(paths);
    RebuildPlaylistView();
    Gui().SetButtonImage(AddButton, ImageOf(AddImage));
}

void RemovePlaylistEntries() {
    Gui().SetButtonImage(RemoveButton, ImageOf(RemovePressedImage));
    if (app::Playlist.Count() >= 1) {
        const int items = Gui().ItemCount(PlaylistView);
        for (int i = 0; i < items; ++i) {
            if (!Gui().IsItemSelected(PlaylistView, i)) continue;
            app::Playlist.SelectIndex(i);
            app::Playlist.MarkCurrent(kDeletionMarker);
        }
        RebuildPlaylistView();
    }
    Gui().SetButtonImage(RemoveButton, ImageOf(RemoveImage));
}

void FillPlaylistView() {
    app::Playlist.Reset();
    while (app::Playlist.Next()) Gui().AddItem(PlaylistView, app::Playlist.Current()->Name);
}

// Deleting moves the cursor back one entry, so the walk still visits every entry once.
void RebuildPlaylistView() {
    Gui().ClearItems(PlaylistView);
    app::Playlist.Reset();
    while (app::Playlist.Next()) {
        const app::PlaylistEntry* entry = app::Playlist.Current();
        if (entry->Name == kDeletionMarker) {
            app::Playlist.DeleteCurrent();
        } else {
            Gui().AddItem(PlaylistView, entry->Name);
        }
    }
}

}  // namespace ui
