// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the skinpack tool and reads and writes the files it works on.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <string>

#include "tests/skin/data/skinbytes.h"

namespace tooltest {

struct ToolRun {
  int Code;
  std::string Out, Err;
};

inline ToolRun Skinpack(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(SKINPACK_PATH), args);
  p.waitForFinished(120000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
          p.readAllStandardError().toStdString()};
}

inline skinbytes::Bytes ReadFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray a = f.readAll();
  return skinbytes::Bytes(a.begin(), a.end());
}

inline void WriteFile(const QString& path, const skinbytes::Bytes& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

inline void WriteText(const QString& path, const std::string& text) {
  WriteFile(path, skinbytes::Bytes(text.begin(), text.end()));
}

inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace tooltest
