#include "platform/media/frequency_bands.h"

#include <cmath>
#include <cstring>

extern "C" {
#include <libavutil/tx.h>
}

namespace platform::media {

SpectrumAnalyzer::SpectrumAnalyzer() : input_(kPoints), output_((kBands + 1) * 2) {
    const float scale = 1.0f;
    av_tx_fn transform = nullptr;
    if (av_tx_init(&context_, &transform, AV_TX_FLOAT_RDFT, 0, kPoints, &scale, AV_TX_UNALIGNED) ==
        0)
        transform_ = transform;
}

SpectrumAnalyzer::~SpectrumAnalyzer() { av_tx_uninit(&context_); }

void SpectrumAnalyzer::Analyze(const float* samples, float* bands) {
    if (!transform_) {
        std::memset(bands, 0, sizeof(float) * kBands);
        return;
    }
    std::memcpy(input_.data(), samples, sizeof(float) * kPoints);
    transform_(context_, output_.data(), input_.data(), sizeof(float));
    constexpr float kScale = 2.0f / kPoints;
    for (int band = 0; band < kBands; ++band) {
        const float re = output_[band * 2];
        const float im = output_[band * 2 + 1];
        bands[band] = std::sqrt(re * re + im * im) * kScale;
    }
}

}  // namespace platform::media
