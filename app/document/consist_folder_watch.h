// ConsistFolderWatch follows the consist folder "data\consists\" while the program runs: a consist
// file added, removed, renamed or rewritten by another program (or by this one) is reported with
// changed() within a second, so the file list and the consist library can refresh.
//
// The folder is watched by the operating system's notifications where it offers them (a file
// appearing or disappearing shows at once) and, for what those miss (a file rewritten in place, a
// folder that does not exist yet, a network drive), by a look at the folder's listing, sizes and
// modification times once a second. Several notifications in a row are reported once.
#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <string>
#include <vector>

namespace rakewright {

class ConsistFolderWatch : public QObject {
  Q_OBJECT
 public:
  // Follows the consist folder below `dataRoot`.
  explicit ConsistFolderWatch(std::string dataRoot, QObject* parent = nullptr);

  // Looks at the folder now: changed() follows at once when it differs from the last look.
  void checkNow();

 signals:
  void changed();

 private:
  struct Entry {
    QString name;
    qint64 size = 0;
    QDateTime modified;
    bool operator==(const Entry&) const = default;
  };
  // The consist files of the folder as they are now; empty when the folder is missing.
  std::vector<Entry> look();
  // Watches the folder's current disk path (it may appear, or be spelled anew).
  void watch(const QString& folder);

  std::string dataRoot_;
  QString watchedFolder_;
  std::vector<Entry> last_;
  QFileSystemWatcher notifications_;
  QTimer poll_;
  QTimer settle_;
};

}  // namespace rakewright
