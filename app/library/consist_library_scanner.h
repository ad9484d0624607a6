// ConsistLibraryScanner runs the check of the consist folder (ConsistFolderCheck) on a thread of
// its own, so that listing and checking a thousand files never blocks the window. A pass asked
// for while one runs is made once that one is done (several requests, one pass); each pass's
// result arrives on the window's thread as passed(). Destroying the scanner stops a running pass
// between two files and waits for it.
#pragma once

#include <QObject>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "consist/consist_folder_check.h"

namespace rakewright {

using ConsistFileEntries = std::shared_ptr<const std::vector<ConsistFileEntry>>;

class ConsistLibraryScanner : public QObject {
  Q_OBJECT
 public:
  ConsistLibraryScanner(std::string dataRoot, std::string programFolder, QObject* parent = nullptr);
  ~ConsistLibraryScanner() override;

  // Asks for a pass; with `full`, every file is read and checked again.
  void request(bool full = false);

 signals:
  // `checked` files were read anew in `milliseconds`.
  void passed(rakewright::ConsistFileEntries entries, int checked, qint64 milliseconds);

 private:
  void run(std::stop_token stop);

  std::string dataRoot_;
  std::string programFolder_;
  std::mutex mutex_;
  std::condition_variable_any wake_;
  bool requested_ = false;
  bool full_ = false;
  // Last, so that it is stopped and joined before the members it uses go.
  std::jthread thread_;
};

}  // namespace rakewright
