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
// Saves the running recording under `file_name` and gives it its final name.
void StopRecording(const std::string& file_name);

}  // namespace audio
