// Loading on a worker thread: the title follows the worker's percentage on the load timer, and
// the finished model is swapped into the document on the window's thread, where the renderer
// rebuilds from it once the revision changes.
#include <utility>

#include "ui/text_convert.h"
#include "ui/viewer.h"
#include "ui/viewer_files.h"

namespace lumeno {

void Viewer::begin_open_file(const std::wstring& path) {
  loader_.start(wide_to_utf8(path), document.model.limits);
  loading_path_ = path;
  shown_percent_ = 0;
  status.set_title_status(loading_progress_text(0));
  host_.set_timer(kLoadTimer, kLoadInterval);
}

bool Viewer::cancel_load() {
  if (!loader_.running()) return false;
  loader_.cancel();
  host_.kill_timer(kLoadTimer);
  shown_percent_ = -1;
  // The model on screen is the one from before: its counts are long gone from the title.
  status.set_title_status(std::wstring());
  return true;
}

void Viewer::on_load_timer() {
  if (!loader_.running()) {
    host_.kill_timer(kLoadTimer);
    return;
  }
  if (!loader_.finished()) {
    const int percent = loader_.percent();
    if (percent != shown_percent_) {
      shown_percent_ = percent;
      status.set_title_status(loading_progress_text(percent));
    }
    return;
  }
  // Stopped before anything else: the failure box below runs a message loop of its own.
  host_.kill_timer(kLoadTimer);
  if (shown_percent_ != 100) status.set_title_status(loading_progress_text(100));
  shown_percent_ = -1;
  ModelLoader::Result result = loader_.take();
  document.path = std::move(loading_path_);
  loading_path_.clear();
  document.model.swap(*result.model);
  result.model.reset();  // the model shown until now
  finish_load(result.ok);
}

void Viewer::wait_for_load() {
  if (!loader_.running()) return;
  loader_.wait();
  on_load_timer();
}

}  // namespace lumeno
