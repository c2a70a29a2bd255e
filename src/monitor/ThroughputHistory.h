// The last 29 throughput samples of one direction (Mbps), newest last, and their maximum.
#pragma once

#include <array>
#include <cstddef>

namespace nxui {

class ThroughputHistory {
 public:
  static constexpr std::size_t kSamples = 29;

  // Drops the oldest sample, appends `mbps` and recomputes the maximum.
  void Push(double mbps);
  void Clear();
  // The page forgets the scale when shown; the next sample recomputes it from the history.
  void ResetMaximum() { maximum_ = 0.0; }
  double Maximum() const { return maximum_; }
  const std::array<double, kSamples>& Samples() const { return samples_; }

 private:
  std::array<double, kSamples> samples_{};
  double maximum_ = 0.0;
};

}  // namespace nxui
