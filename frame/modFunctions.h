// SPDX-License-Identifier: Apache-2.0
// Start-up and shutdown: one instance per user, the splash while the main
// window loads, and closing every window when the main one closes.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "batch/Language.h"

class QLocalServer;
class QWidget;

namespace marlo::modFunctions {

// One running copy per user: a later start hands over to it and ends.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  explicit SingleInstance(QString name = DefaultName(), QObject* parent = nullptr);
  ~SingleInstance() override;
  static QString DefaultName();
  // Where the socket and its lock live: $XDG_RUNTIME_DIR when it is this
  // user's alone, else a folder of its own in the temporary folder, made
  // and checked so; empty when neither is to be had.
  static QString PrivateFolder();

  // Hands over to a running copy (false), or becomes the running copy
  // (true). Two copies started at the same instant take turns. The running
  // copy holds a lock for its lifetime, and only the holder of that lock
  // ever removes a socket: a copy that is alive but does not answer (stopped,
  // its queue full) keeps its socket, and the new start runs unguarded.
  bool Claim();
  // Whether this copy is the one later starts hand over to.
  bool guarded() const { return guarded_; }

  // Tells a running copy to come forward; true when one answered.
  bool HandOver();
  // Becomes the running copy; a socket left by a crashed copy is removed.
  bool Listen();

 signals:
  void activationRequested();

 private:
  QString name_;
  QString path_;  // the socket's full path
  QLocalServer* server_ = nullptr;
  int owner_ = -1;  // the lock file, locked while this copy runs
  bool guarded_ = false;
};

// Moves a window to the top-left corner of its screen (size unchanged),
// shows it normal, raises it and flashes it.
void BringForward(QWidget* window);

// Windows are kept in the order they were loaded, for UnloadAllForms.
void RegisterForm(QWidget* window);
// Closes the loaded windows from the last down to the second, then ends.
void UnloadAllForms();

// The program: hand over or start, splash, main window, event loop.
// SIGTERM, SIGHUP and SIGINT close the window as the user would.
void CloseOnTerminationSignals(QWidget* window);

// chosenLanguage: the one the user chose in the settings; nothing follows
// the locale.
int Main(int argc, char** argv, std::optional<Language> chosenLanguage,
         const std::function<QWidget*()>& createMainWindow);

}  // namespace marlo::modFunctions
