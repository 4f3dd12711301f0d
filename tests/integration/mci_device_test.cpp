#include "platform/media/mci_device.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <thread>
#include <vector>

#include "media_fixtures.h"

namespace {

namespace fs = std::filesystem;
using platform::media::CaptureSource;
using platform::media::MciDevice;

// A 1 kHz tone delivered in real time, as a sound card would.
class ToneCapture final : public CaptureSource {
 public:
    ~ToneCapture() override { Stop(); }
    bool Start(Deliver deliver) override {
        running_ = true;
        thread_ = std::thread([this, deliver] {
            std::vector<float> frames(441 * 2);
            for (long frame = 0; running_;
                 std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
                for (int i = 0; i < 441; ++i, ++frame) {
                    const float value =
                        0.5f *
                        static_cast<float>(std::sin(2 * std::numbers::pi * 1000 * frame / 44100.0));
                    frames[i * 2] = frames[i * 2 + 1] = value;
                }
                deliver(frames.data(), 441);
            }
        });
        return true;
    }
    void Stop() override {
        running_ = false;
        if (thread_.joinable()) thread_.join();
    }

 private:
    std::atomic<bool> running_{false};
    std::thread thread_;
};

class MciDeviceTest : public ::testing::Test {
 protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(folder.Path(""));
    }
    void TearDown() override { fs::current_path(previous_); }
    int Send(const std::string& command) { return device.Send(command, reply); }

    fixtures::MediaFolder folder;
    fs::path previous_;
    MciDevice device{[] { return std::make_unique<ToneCapture>(); }};
    std::string reply = std::string(256, ' ');
};

TEST_F(MciDeviceTest, ARecordingIsSavedAsSixteenBitStereoWavWithWhatWasCaptured) {
    EXPECT_EQ(Send("open new type waveaudio alias recsound"), 0);
    EXPECT_EQ(Send("set recsound time format ms"), 0);
    EXPECT_EQ(Send("set recsound alignment 4 bitspersample 16 samplespersec 44100 channels 2 "
                   "bytespersec 176400"),
              0);
    EXPECT_EQ(Send("record recsound"), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(Send("save recsound Record.wav"), 0);
    EXPECT_EQ(Send("close recsound"), 0);

    SF_INFO info{};
    SNDFILE* file = sf_open("Record.wav", SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    // A RIFF WAVE file below 4 GiB (libsndfile writes the extensible format header).
    EXPECT_EQ(info.format & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_16);
    EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_WAVEX);
    char magic[4] = {};
    std::ifstream("Record.wav", std::ios::binary).read(magic, 4);
    EXPECT_EQ(std::string(magic, 4), "RIFF");
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_GT(info.frames, 44100 * 4 / 10);
    EXPECT_LT(info.frames, 44100 * 2);
    std::vector<short> samples(static_cast<std::size_t>(info.frames) * 2);
    sf_readf_short(file, samples.data(), info.frames);
    sf_close(file);
    int crossings = 0;
    for (std::size_t i = 2; i < samples.size(); i += 2)
        crossings += (samples[i] < 0) != (samples[i - 2] < 0);
    const double hertz = crossings / 2.0 / (static_cast<double>(info.frames) / 44100);
    EXPECT_NEAR(hertz, 1000, 50);
    // Nothing of the recording is left behind but the saved file.
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(".")) files.push_back(entry.path().filename());
    EXPECT_EQ(files, std::vector<std::string>{"Record.wav"});
}

TEST_F(MciDeviceTest, TheDeviceAnswersWithErrorCodes) {
    EXPECT_EQ(Send("record recsound"), MciDevice::kInvalidDeviceName);
    EXPECT_EQ(Send("open new type waveaudio alias recsound"), 0);
    EXPECT_EQ(Send("open new type waveaudio alias recsound"), MciDevice::kDuplicateAlias);
    EXPECT_EQ(Send("record other"), MciDevice::kInvalidDeviceName);
    EXPECT_EQ(Send("save recsound Record.wav"), MciDevice::kFileNotSaved);
    EXPECT_EQ(Send("dance recsound"), MciDevice::kUnrecognizedCommand);
    EXPECT_EQ(Send("record recsound"), 0);
    EXPECT_EQ(Send("close recsound"), 0);  // an unsaved recording is dropped
    EXPECT_EQ(Send("save recsound Record.wav"), MciDevice::kInvalidDeviceName);
    EXPECT_TRUE(fs::is_empty("."));
}

TEST_F(MciDeviceTest, ASaveReplacesAnOlderFileOfTheSameName) {
    std::ofstream("Record.wav") << "old";
    Send("open new type waveaudio alias recsound");
    Send("record recsound");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(Send("save recsound Record.wav"), 0);
    EXPECT_GT(fs::file_size("Record.wav"), 44u);
}

}  // namespace
