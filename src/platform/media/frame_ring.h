#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <vector>

namespace platform::media {

// A single-producer single-consumer ring of interleaved stereo float frames. The decoder thread
// writes, the output thread reads; neither ever blocks the other.
class FrameRing {
 public:
    static constexpr int kChannels = 2;

    explicit FrameRing(std::size_t capacity_frames)
        : samples_((capacity_frames + 1) * kChannels), capacity_(capacity_frames + 1) {}

    std::size_t Readable() const {
        const std::size_t write = write_.load(std::memory_order_acquire);
        const std::size_t read = read_.load(std::memory_order_relaxed);
        return (write + capacity_ - read) % capacity_;
    }

    std::size_t Writable() const { return capacity_ - 1 - ReadableFromWriter(); }

    // Producer only. Writes as many frames as fit; returns how many.
    std::size_t Write(const float* frames, std::size_t count) {
        count = std::min(count, Writable());
        std::size_t write = write_.load(std::memory_order_relaxed);
        for (std::size_t i = 0; i < count; ++i) {
            samples_[write * kChannels] = frames[i * kChannels];
            samples_[write * kChannels + 1] = frames[i * kChannels + 1];
            write = (write + 1) % capacity_;
        }
        write_.store(write, std::memory_order_release);
        return count;
    }

    // Consumer only. Reads up to count frames; returns how many.
    std::size_t Read(float* frames, std::size_t count) {
        count = std::min(count, Readable());
        std::size_t read = read_.load(std::memory_order_relaxed);
        for (std::size_t i = 0; i < count; ++i) {
            frames[i * kChannels] = samples_[read * kChannels];
            frames[i * kChannels + 1] = samples_[read * kChannels + 1];
            read = (read + 1) % capacity_;
        }
        read_.store(read, std::memory_order_release);
        return count;
    }

 private:
    std::size_t ReadableFromWriter() const {
        const std::size_t read = read_.load(std::memory_order_acquire);
        const std::size_t write = write_.load(std::memory_order_relaxed);
        return (write + capacity_ - read) % capacity_;
    }

    std::vector<float> samples_;
    std::size_t capacity_;
    std::atomic<std::size_t> read_{0};
    std::atomic<std::size_t> write_{0};
};

}  // namespace platform::media
