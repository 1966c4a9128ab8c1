#pragma once
// One possibilities run off the window's thread: the snapshot is taken where
// Start is called, then a worker counts on it while the caller keeps
// handling events and reads the progress. Nothing of the open pool is read
// after Start returns, and nothing of it is ever written.
#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <thread>

#include "standings/logic/possibilities.h"

namespace qb {

class PossibilitiesRun {
 public:
  PossibilitiesRun() = default;
  // Cancels a run that still goes on and waits for it.
  ~PossibilitiesRun();
  PossibilitiesRun(const PossibilitiesRun&) = delete;
  PossibilitiesRun& operator=(const PossibilitiesRun&) = delete;

  // Takes the snapshot (on up to threads threads, 0: one per core) and starts
  // the worker. One run per object.
  void Start(const PoolState& pool, const OpenGameList& open, int threads = 0);

  // Asks the worker to stop; it does before its next scenario.
  void Cancel() { cancel_ = true; }
  bool CancelRequested() const { return cancel_.load(); }
  // Waits until the worker has ended; at once when none was started.
  void Wait();

  bool Started() const { return worker_.joinable() || finished_.load(); }
  // The worker has ended (completed, cancelled or failed).
  bool Finished() const { return finished_.load(); }
  // Scenarios counted so far, and in all.
  int32_t Done() const { return done_.load(); }
  int32_t Total() const { return snapshot_ ? snapshot_->Open.ScenarioCount : 0; }
  double SnapshotMilliseconds() const { return snapshotMs_; }

  // Once Finished (after Wait): what the run found, on the snapshot it
  // worked on. Error() is what ended it unexpectedly, if anything did.
  const PossibilitiesSnapshot& Snapshot() const { return *snapshot_; }
  const PossibilitiesResult& Result() const { return result_; }
  std::exception_ptr Error() const { return error_; }

 private:
  std::unique_ptr<PossibilitiesSnapshot> snapshot_;
  PossibilitiesResult result_;
  std::exception_ptr error_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> finished_{false};
  std::atomic<int32_t> done_{0};
  double snapshotMs_ = 0;
  int threads_ = 0;
  std::thread worker_;
};

}  // namespace qb
