// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appsettings.h"

#include <QSettings>
#include <cstdlib>

#include "platform/startfile.h"

std::string SettingsFilePath() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  // A relative value is ignored, as the base directory rules say.
  const std::string base =
      configHome && configHome[0] == '/' ? std::string(configHome) : std::string(home ? home : "") + "/.config";
  return base + "/batch-renamer/settings.ini";
}

std::string ReadSetting(const std::string& file, const char* key, const std::string& fallback) {
  if (CheckStartFile(file) != TStartFile::Usable) return fallback;
  QSettings settings(QString::fromStdString(file), QSettings::IniFormat);
  if (settings.status() != QSettings::NoError) return fallback;  // a damaged file counts as none
  const QVariant value = settings.value(key);
  return value.isValid() ? value.toString().toStdString() : fallback;
}

void WriteSetting(const std::string& file, const char* key, const std::string& value) {
  // Writing reads the file first: one that may not be read is left as it is.
  if (CheckStartFile(file) == TStartFile::Refused) return;
  QSettings settings(QString::fromStdString(file), QSettings::IniFormat);
  settings.setValue(key, QString::fromStdString(value));
  settings.sync();
}
