#include "audio/recorder.h"

namespace audio {

RecorderState Recorder;

void ResetRecorder() { Recorder = RecorderState{}; }

void OnRecordClicked() {}

}  // namespace audio
