#pragma once

#include <cstddef>
#include <vector>

struct AVTXContext;

namespace platform::media {

// Magnitudes of a 1024-point real FFT with a rectangular window, scaled so that a full-scale
// sine centred on a band reads 1.0. One instance per thread.
class SpectrumAnalyzer {
 public:
    static constexpr int kPoints = 1024;
    static constexpr int kBands = kPoints / 2;

    SpectrumAnalyzer();
    ~SpectrumAnalyzer();
    SpectrumAnalyzer(const SpectrumAnalyzer&) = delete;
    SpectrumAnalyzer& operator=(const SpectrumAnalyzer&) = delete;

    // samples: kPoints values; bands: kBands values out.
    void Analyze(const float* samples, float* bands);

 private:
    AVTXContext* context_ = nullptr;
    void (*transform_)(AVTXContext*, void*, void*, std::ptrdiff_t) = nullptr;
    std::vector<float> input_;
    std::vector<float> output_;  // kBands + 1 complex values
};

}  // namespace platform::media
