#pragma once

#include <string>

namespace audio {

struct RecorderState {
    int IsRecording = 0;
    std::string MciReplyBuffer;
};
extern RecorderState Recorder;

void ResetRecorder();
void OnRecordClicked();

}  // namespace audio
