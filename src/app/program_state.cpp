#include "app/program_state.h"

#include "app/playlist.h"
#include "app/settings.h"
#include "app/station_directory.h"
#include "audio/playback_controller.h"
#include "audio/recorder.h"
#include "ui/playlist_window.h"
#include "ui/skin_images.h"
#include "visual/bars.h"
#include "visual/marquee.h"
#include "visual/screen.h"

namespace app {

void ResetProgramState() {
    ResetSettings();
    ResetStationDirectory();
    ResetPlaylist();
    audio::ResetPlayback();
    audio::ResetRecorder();
    ui::ResetSkin();
    ui::ResetPlaylistWindow();
    visual::ResetScreen();
    visual::ResetBars();
    visual::ResetMarquee();
}

}  // namespace app
