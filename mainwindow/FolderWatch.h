// SPDX-License-Identifier: Apache-2.0
// Tells when the entries of one folder change on disk. The folder is named
// by its bytes, so that a folder whose name is GBK or Big5 (which no
// QString path can carry) is watched like any other.
#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

namespace marlo {

class FolderWatch : public QObject {
  Q_OBJECT

 public:
  explicit FolderWatch(QObject* parent = nullptr);
  ~FolderWatch() override;

  // Watches this folder from now on, and no other; a folder that cannot be
  // watched (gone, unreadable, or the system's limit reached) is not.
  void Watch(const QByteArray& folder);

 signals:
  // Something in the folder was made, removed, renamed or written.
  void Changed();

 private:
  void ReadEvents();

  int queue_ = -1;  // the inotify descriptor
  int watch_ = -1;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace marlo
