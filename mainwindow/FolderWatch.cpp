// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/FolderWatch.h"

#include <QSocketNotifier>

#include <sys/inotify.h>
#include <unistd.h>

namespace marlo {

FolderWatch::FolderWatch(QObject* parent) : QObject(parent) {
  queue_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (queue_ < 0) {
    qWarning("marlo: the lists will not follow changes on disk: inotify is not available");
    return;
  }
  notifier_ = new QSocketNotifier(queue_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &FolderWatch::ReadEvents);
}

FolderWatch::~FolderWatch() {
  if (queue_ >= 0) ::close(queue_);
}

void FolderWatch::Watch(const QByteArray& folder) {
  if (queue_ < 0) return;
  if (watch_ >= 0) ::inotify_rm_watch(queue_, watch_);
  watch_ = folder.isEmpty()
               ? -1
               : ::inotify_add_watch(queue_, folder.constData(),
                                     IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                         IN_CLOSE_WRITE | IN_ATTRIB | IN_ONLYDIR);
}

void FolderWatch::ReadEvents() {
  // The events say which entry changed; the lists are read again whole,
  // so only that something did counts. Events of a folder watched before
  // may still be queued: one refresh too many costs nothing.
  alignas(inotify_event) char buffer[4096];
  bool any = false;
  while (::read(queue_, buffer, sizeof buffer) > 0) any = true;
  if (any && watch_ >= 0) emit Changed();
}

}  // namespace marlo
