// SPDX-License-Identifier: Apache-2.0
// Start-up and shutdown: one instance per user, the splash while the main
// window loads, and closing every window when the main one closes.
#pragma once

#include <QByteArray>
#include <QList>
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
  // A start that hands over passes on the paths it was given (absolute,
  // as bytes), for the running copy to open.
  bool Claim(const QList<QByteArray>& paths = {});
  // Whether this copy is the one later starts hand over to.
  bool guarded() const { return guarded_; }

  // Tells a running copy to come forward and open the paths; true when
  // one answered and took them.
  bool HandOver(const QList<QByteArray>& paths = {});
  // Becomes the running copy; a socket left by a crashed copy is removed.
  bool Listen();

  // What a start says to the running copy: "activate", a line of its own,
  // then the length of the rest as a decimal line, then each path ended by
  // a NUL, the one byte no path holds. ReadHandOver gives the paths back,
  // or nothing for a message that is not one or not whole yet. The running
  // copy answers a whole one with kHandOverTaken.
  static QByteArray HandOverMessage(const QList<QByteArray>& paths);
  static constexpr char kHandOverTaken[] = "\x06";
  static std::optional<QList<QByteArray>> ReadHandOver(const QByteArray& message);

 signals:
  void activationRequested(const QList<QByteArray>& paths);

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
// The paths named on the command line, absolute, as the bytes they were
// given in: a legacy-named file arrives intact. Arguments after "--" are
// paths whatever they start with; before it, those starting with "-" are
// options, none of which is a path.
QList<QByteArray> PathArguments(int argc, char** argv, const QByteArray& currentFolder);

// openPaths: the main window takes paths named at its start, or handed
// over by a later start, as it takes a drop.
int Main(int argc, char** argv, std::optional<Language> chosenLanguage,
         const std::function<QWidget*()>& createMainWindow,
         const std::function<void(QWidget*, const QList<QByteArray>&)>& openPaths = {});

}  // namespace marlo::modFunctions
