// Loads a model file on a worker thread so the window stays responsive.
//
// The worker runs SkpModel::load_from_file into a model of its own; the window's thread polls
// percent() and finished(), and takes the finished model to swap it into the document, so the
// GL work that follows happens on the window's thread. Starting a new load cancels the running
// one; the new worker first waits for the old one to end, so the SDK never has two callers and
// the window's thread never waits. The SDK is only called by a worker while one runs: other
// code on the window's thread that needs the SDK takes model::sdk_lock() (try_lock) first.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "model/load_progress.h"
#include "model/skp_model.h"

namespace lumeno {

class ModelLoader {
 public:
  struct Result {
    std::unique_ptr<SkpModel> model;  // what the load produced (empty after a failure)
    bool ok = false;                  // load_from_file's result
  };

  ModelLoader() = default;
  ~ModelLoader() { stop(); }
  ModelLoader(const ModelLoader&) = delete;
  ModelLoader& operator=(const ModelLoader&) = delete;

  // Starts loading `utf8_path` into a fresh model with `limits`; a load still running is
  // cancelled and its result dropped.
  void start(const std::string& utf8_path, const SkpModel::Limits& limits);
  // A load was started and has been neither taken nor cancelled.
  bool running() const { return job_ != nullptr; }
  // The running load has ended and its result can be taken.
  bool finished() const { return job_ != nullptr && job_->done.load(std::memory_order_acquire); }
  // How far the running load has come, 0 to 100; 0 without one.
  int percent() const { return job_ != nullptr ? job_->progress.percent() : 0; }
  // The finished load's result; the loader is then idle. Only after finished().
  Result take();
  // Cancels the running load: it stops at its next check and its result is dropped.
  void cancel();
  // Waits until the running load (and any cancelled one before it) has ended, without
  // cancelling it.
  void wait();
  // Cancels and waits until no worker is left (before the SDK is unloaded, or before a caller
  // uses the SDK itself).
  void stop();

 private:
  struct Job {
    std::string path;
    LoadProgress progress;
    std::unique_ptr<SkpModel> model;
    bool ok = false;
    std::atomic<bool> done{false};
  };

  std::shared_ptr<Job> job_;  // the running load; workers hold their own references
  std::thread worker_;        // the newest worker; it joins the one before it
};

}  // namespace lumeno
