// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/SourceLists.h"

#include <QCollator>
#include <QDir>
#include <QRegularExpression>
#include <QStorageInfo>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "batch/InputCheck.h"
#include "batch/SourceSelection.h"
#include "batch/UserTexts.h"
#include "engine/FormCoding.h"
#include "frame/Translations.h"

namespace marlo {

namespace {

bool IsPseudoFileSystem(const QStorageInfo& volume) {
  static const QStringList kTypes = {
      "proc",    "sysfs",   "devtmpfs",    "devpts",   "cgroup", "cgroup2",    "securityfs",
      "pstore",  "debugfs", "tracefs",     "bpf",      "mqueue", "hugetlbfs",  "configfs",
      "fusectl", "autofs",  "binfmt_misc", "efivarfs", "nsfs",   "rpc_pipefs", "squashfs"};
  if (kTypes.contains(QString::fromLatin1(volume.fileSystemType()))) return true;
  const QString root = volume.rootPath();
  for (const char* system : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot/efi"})
    if (root == system || root.startsWith(QString::fromLatin1(system) + '/')) return true;
  return false;
}

template <typename Row>
void SortByText(QVector<Row>& rows, QString (*text)(const Row&)) {
  QCollator collator;
  collator.setNumericMode(true);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::sort(rows.begin(), rows.end(),
            [&](const Row& a, const Row& b) { return collator(text(a), text(b)); });
}

enum class Kind { kOther, kFolder, kFile };

// What a folder entry is, links followed as QDir follows them.
Kind KindOf(const QByteArray& path) {
  struct stat st;
  if (::stat(path.constData(), &st) != 0) return Kind::kOther;
  return S_ISDIR(st.st_mode) ? Kind::kFolder : S_ISREG(st.st_mode) ? Kind::kFile : Kind::kOther;
}

// The visible entries of a folder of one kind, as their bytes.
QVector<QByteArray> Entries(const QByteArray& folder, Kind kind) {
  QVector<QByteArray> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.constData()), ::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const QByteArray name(entry->d_name);
    if (name.startsWith('.')) continue;  // also . and ..
    Kind found = entry->d_type == DT_DIR   ? Kind::kFolder
                 : entry->d_type == DT_REG ? Kind::kFile
                                           : Kind::kOther;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN)
      found = KindOf(JoinName(folder, name));
    if (found == kind) names.push_back(name);
  }
  return names;
}

// How badly bytes fit a legacy code, smaller is better: first the pairs it
// lacks; then, as most pairs of a short name are valid in both codes, the
// pairs outside its frequent characters (Big5 A440..C67E, GB2312 level one
// B0A1..D7F9), where a name in the other code mostly falls.
std::pair<uint64_t, uint64_t> LegacyFit(const ConvMarlo& engine, SourceCode code,
                                        std::string_view bytes) {
  uint64_t rare = 0;
  for (size_t i = 0; i + 1 < bytes.size(); ++i) {
    const auto lead = uint8_t(bytes[i]);
    if (lead < 0x80) continue;
    const unsigned pair = unsigned(lead) << 8 | uint8_t(bytes[i + 1]);
    rare +=
        code == SourceCode::kBig5 ? pair < 0xA440 || pair > 0xC67E : pair < 0xB0A1 || pair > 0xD7F9;
    ++i;
  }
  return {CountErrors(engine, code, bytes).errors, rare};
}

}  // namespace

QVector<Place> SourcePlaces() {
  QVector<Place> places = {{QDir::homePath(), QDir::homePath()}};
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady() || IsPseudoFileSystem(volume)) continue;
    const QString root = volume.rootPath();
    const QString name = volume.displayName();
    places.push_back({name == root ? root : QStringLiteral("%1  [%2]").arg(root, name), root});
  }
  return places;
}

ShownName ShowName(const QByteArray& bytes, const ConvMarlo& engine) {
  // UTF-8 by the same rule the input check applies to files.
  const std::string_view view(bytes.constData(), size_t(bytes.size()));
  if (CountErrors(engine, SourceCode::kUtf8, view).errors == 0)
    return {bytes, QString::fromUtf8(bytes), {}};
  // Not UTF-8: the legacy code it fits better, GBK on a tie.
  const bool big5 =
      LegacyFit(engine, SourceCode::kBig5, view) < LegacyFit(engine, SourceCode::kGb2312, view);
  const ByteForm form = big5 ? ByteForm::kBig5 : ByteForm::kGbk;
  const QString text = QString::fromStdString(DecodeToUtf8(engine, form, view));
  return {
      bytes, text,
      UserWord(text::kNameInLegacyCode).arg(big5 ? QStringLiteral("Big5") : QStringLiteral("GBK"))};
}

ShownName ShowPath(const QByteArray& path, const ConvMarlo& engine) {
  ShownName shown{path, {}, {}};
  const QList<QByteArray> parts = path.split('/');
  for (qsizetype k = 0; k < parts.size(); ++k) {
    const ShownName part = ShowName(parts[k], engine);
    if (k) shown.text += '/';
    shown.text += part.text;
    if (shown.note.isEmpty()) shown.note = part.note;
  }
  return shown;
}

QVector<FolderRow> FolderRows(const QByteArray& folder, const ConvMarlo& engine) {
  const QByteArray clean = folder.isEmpty() ? QByteArray("/") : folder;
  QVector<FolderRow> rows = {{ShowName("/", engine), "/", 0, clean == "/"}};
  QList<QByteArray> parts = clean.split('/');
  parts.removeAll(QByteArray());
  QByteArray path;
  for (qsizetype k = 0; k < parts.size(); ++k) {
    path += '/' + parts[k];
    rows.push_back({ShowName(parts[k], engine), path, int(k) + 1, k + 1 == parts.size()});
  }
  QVector<FolderRow> subfolders;
  for (const QByteArray& name : Entries(clean, Kind::kFolder))
    subfolders.push_back(
        {ShowName(name, engine), JoinName(clean, name), int(parts.size()) + 1, false});
  SortByText<FolderRow>(subfolders, [](const FolderRow& row) { return row.name.text; });
  rows += subfolders;
  return rows;
}

QVector<ShownName> FilesMatching(const QByteArray& folder, const QString& pattern,
                                 const ConvMarlo& engine) {
  // On Windows "*.*" stands for every file; here a name needs no dot.
  const bool every = pattern == "*.*" || pattern == "*";
  const QRegularExpression filter(QRegularExpression::wildcardToRegularExpression(pattern),
                                  QRegularExpression::CaseInsensitiveOption);
  QVector<ShownName> names;
  for (const QByteArray& name : Entries(folder, Kind::kFile)) {
    ShownName shown = ShowName(name, engine);
    if (every || filter.match(shown.text).hasMatch()) names.push_back(std::move(shown));
  }
  SortByText<ShownName>(names, [](const ShownName& name) { return name.text; });
  return names;
}

QByteArray JoinName(const QByteArray& folder, const QByteArray& name) {
  return QByteArray::fromStdString(JoinPath(folder.toStdString(), name.toStdString()));
}

}  // namespace marlo
