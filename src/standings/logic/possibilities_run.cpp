#include "standings/logic/possibilities_run.h"

#include <chrono>

namespace qb {

PossibilitiesRun::~PossibilitiesRun() {
  Cancel();
  Wait();
}

void PossibilitiesRun::Start(const PoolState& pool, const OpenGameList& open, int threads) {
  if (Started()) return;
  const auto t0 = std::chrono::steady_clock::now();
  snapshot_ = std::make_unique<PossibilitiesSnapshot>(TakePossibilitiesSnapshot(pool, open, threads));
  snapshotMs_ =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  threads_ = threads;
  worker_ = std::thread([this] {
    try {
      PossibilitiesOptions options;
      options.Threads = threads_;
      options.Cancel = &cancel_;
      options.Progress = [this](int32_t done) { done_ = done; };
      result_ = ComputeScenariosFast(*snapshot_, options);
    } catch (...) {
      error_ = std::current_exception();
    }
    finished_ = true;
  });
}

void PossibilitiesRun::Wait() {
  if (worker_.joinable()) worker_.join();
}

}  // namespace qb
