// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shellopen.h"

#include <QDesktopServices>
#include <QUrl>

bool ShellOpen(const std::string& target) {
  QUrl url(QString::fromStdString(target));
  if (url.scheme().isEmpty()) url = QUrl::fromLocalFile(QString::fromStdString(target));
  return QDesktopServices::openUrl(url);
}
