#pragma once

#include <ctime>
#include <string>

namespace audio {

struct RecorderState {
    int IsRecording = 0;
    std::string MciReplyBuffer;
    std::string RecordingName;
};
extern RecorderState Recorder;

inline constexpr const char* kRecordingFile = "Record.wav";

void ResetRecorder();
// Record button: starts a recording of the default input, whatever is going on.
void OnRecordClicked();
// Passes one command to the recording device; the code is not looked at by anyone.
int SendMciCommand(const std::string& command);
void StartRecording(const std::string& file_name);
// Saves the recording as `file_name`, then moves it to a name made of what plays and the time;
// a name already taken is never replaced.
void StopRecording(const std::string& file_name);
// "Fip(9-12-2024)7-5-3.wav": the source, the local date and time without leading zeros.
std::string MakeRecordingName(const std::string& source, const std::tm& when);

}  // namespace audio
