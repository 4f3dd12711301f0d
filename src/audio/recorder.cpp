#include "audio/recorder.h"

namespace audio {

RecorderState Recorder;

void ResetRecorder() { Recorder = RecorderState{}; }

void OnRecordClicked() {}

void StopRecording(const std::string&) {}

}  // namespace audio
