// SPDX-License-Identifier: Apache-2.0
#include "clsSettings.h"

#include <QSettings>
#include <stdexcept>

#include "StoredNumber.h"

namespace marlo {

namespace {

const char* kGroup = "Configs";

}  // namespace

const QString clsSettings::kDefaultIgnoreFileTypes = QStringLiteral(
    ".EXE;.DLL;.OCX;.OCA;.FRX;.MDB;.RAR;.ZIP;.JPG;.BMP;.JPEG;.GIF;.TIF;.PCX;.PDS;.EPS;.PDF;.PCT;"
    ".PIC;.PGN;.RAW;.DAT;.WAV;.MP3;.AVI;.CAB;.CAT;.TAZ;.EXP;TLB;LIB;OLB");

clsSettings::clsSettings() : store_(std::make_unique<QSettings>("Marlo", "Marlo")) { Load(); }

clsSettings::clsSettings(const QString& iniFile)
    : store_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {
  Load();
}

clsSettings::~clsSettings() = default;

void clsSettings::Load() {
  store_->beginGroup(kGroup);
  auto number = [this](const char* key, int32_t& field) {
    const QString text = store_->value(key, QStringLiteral("0")).toString();
    if (const auto value = ParseStoredInteger(text.toStdString())) field = *value;
  };
  number("HandleExistFile", handleExistFile_);
  // A stored empty list stays empty: the default is only for a missing key.
  ignoreFileTypes_ = store_->value("IgnoreFileTypes", kDefaultIgnoreFileTypes).toString();
  number("IsReturnbyte", isReturnbyte_);
  store_->endGroup();
}

void clsSettings::SaveSettings() {
  store_->beginGroup(kGroup);
  store_->setValue("HandleExistFile", QString::number(handleExistFile_));
  store_->setValue("IgnoreFileTypes", ignoreFileTypes_);
  store_->setValue("IsReturnbyte", QString::number(isReturnbyte_));
  store_->endGroup();
  store_->sync();
  if (store_->status() != QSettings::NoError)
    throw std::runtime_error("無法保存設置: " + store_->fileName().toStdString());
}

}  // namespace marlo
