#include "ui/model_loader.h"

#include <exception>
#include <mutex>
#include <utility>

#include "model/sdk_access.h"

namespace lumeno {

void ModelLoader::start(const std::string& utf8_path, const SkpModel::Limits& limits) {
  cancel();
  auto job = std::make_shared<Job>();
  job->path = utf8_path;
  job->model = std::make_unique<SkpModel>();
  job->model->limits = limits;
  std::thread previous = std::move(worker_);
  worker_ = std::thread([job, previous = std::move(previous)]() mutable {
    if (previous.joinable()) previous.join();
    if (!job->progress.cancelled()) {
      std::lock_guard<std::mutex> hold(model::sdk_lock());
      try {
        job->ok = job->model->load_from_file(job->path, &job->progress);
      } catch (const std::exception&) {
        // Out of memory, most likely: reported as a failed load rather than ending the process.
        job->model->unload();
        job->ok = false;
      }
    }
    job->done.store(true, std::memory_order_release);
  });
  job_ = std::move(job);
}

ModelLoader::Result ModelLoader::take() {
  Result result;
  if (!finished()) return result;
  result.model = std::move(job_->model);
  result.ok = job_->ok;
  job_.reset();
  return result;
}

void ModelLoader::cancel() {
  if (job_ == nullptr) return;
  job_->progress.cancel();
  job_.reset();
}

void ModelLoader::wait() {
  if (worker_.joinable()) worker_.join();
}

void ModelLoader::stop() {
  cancel();
  wait();
}

}  // namespace lumeno
