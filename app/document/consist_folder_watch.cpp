#include "app/document/consist_folder_watch.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

#include "app/common/qt_text.h"
#include "platform/paths.h"
#include "reference/data_paths.h"

namespace rakewright {

namespace {

constexpr int kPollInterval = 1000;  // ms
// Notifications come in bursts (a save writes a temporary file and renames it); one look after
// the burst settles is enough.
constexpr int kSettleInterval = 100;  // ms

}  // namespace

ConsistFolderWatch::ConsistFolderWatch(std::string dataRoot, QObject* parent)
    : QObject(parent), dataRoot_(std::move(dataRoot)) {
  poll_.setInterval(kPollInterval);
  settle_.setInterval(kSettleInterval);
  settle_.setSingleShot(true);
  connect(&poll_, &QTimer::timeout, this, &ConsistFolderWatch::checkNow);
  connect(&settle_, &QTimer::timeout, this, &ConsistFolderWatch::checkNow);
  connect(&notifications_, &QFileSystemWatcher::directoryChanged, this,
          [this] { settle_.start(); });
  last_ = look();
  poll_.start();
}

void ConsistFolderWatch::checkNow() {
  std::vector<Entry> now = look();
  if (now != last_) {
    last_ = std::move(now);
    emit changed();
  }
}

std::vector<ConsistFolderWatch::Entry> ConsistFolderWatch::look() {
  const ResolvedPath resolved = resolvePath(dataRoot_, paths::kConsistFolder);
  if (resolved.status != ResolvedPath::Status::Found) {
    watch(QString());
    return {};
  }
  const QString folder = fromDiskPath(resolved.diskPath);
  watch(folder);
  QDir dir(folder);
  dir.setNameFilters({QStringLiteral("*.con")});
  dir.setFilter(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  dir.setSorting(QDir::Name);
  std::vector<Entry> entries;
  for (const QFileInfo& info : dir.entryInfoList()) {
    entries.push_back({info.fileName(), info.size(), info.lastModified()});
  }
  return entries;
}

void ConsistFolderWatch::watch(const QString& folder) {
  if (folder == watchedFolder_) {
    return;
  }
  if (!watchedFolder_.isEmpty()) {
    notifications_.removePath(watchedFolder_);
  }
  watchedFolder_ = folder;
  if (!folder.isEmpty()) {
    notifications_.addPath(folder);
  }
}

}  // namespace rakewright
