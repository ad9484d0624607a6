#include "app/library/consist_library_scanner.h"

#include <QMetaObject>

#include <chrono>
#include <utility>

namespace rakewright {

ConsistLibraryScanner::ConsistLibraryScanner(std::string dataRoot, std::string programFolder,
                                             QObject* parent)
    : QObject(parent),
      dataRoot_(std::move(dataRoot)),
      programFolder_(std::move(programFolder)),
      thread_([this](std::stop_token stop) { run(std::move(stop)); }) {}

ConsistLibraryScanner::~ConsistLibraryScanner() {
  thread_.request_stop();
  thread_.join();
}

void ConsistLibraryScanner::request(bool full) {
  {
    const std::lock_guard lock(mutex_);
    requested_ = true;
    full_ = full_ || full;
  }
  wake_.notify_one();
}

void ConsistLibraryScanner::run(std::stop_token stop) {
  ConsistFolderCheck folder(dataRoot_, programFolder_);
  std::unique_lock lock(mutex_);
  while (wake_.wait(lock, stop, [this] { return requested_; })) {
    const bool full = full_;
    requested_ = false;
    full_ = false;
    lock.unlock();

    const auto start = std::chrono::steady_clock::now();
    auto entries = std::make_shared<const std::vector<ConsistFileEntry>>(folder.pass(full, stop));
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now() - start)
                                  .count();
    if (!stop.stop_requested()) {
      // Delivered on the window's thread; dropped if the scanner is gone by then.
      QMetaObject::invokeMethod(
          this,
          [this, entries, checked = folder.lastChecked(), milliseconds] {
            emit passed(entries, checked, milliseconds);
          },
          Qt::QueuedConnection);
    }
    lock.lock();
  }
}

}  // namespace rakewright
