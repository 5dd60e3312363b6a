// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test skins: a skin folder written into a temporary directory (description
// and BMP pictures), packed by the stored-skin component and loaded by a skin
// data component, exactly as the program loads its embedded skin. Plus event
// helpers that deliver mouse and crossing events straight to a widget.

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/tform.h"
#include "skin/data/tbsbitmapfile.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"

namespace skintest {

// Every pixel a different colour, so a pixel taken from the wrong place shows.
inline QRgb PatternColor(int x, int y) {
  return qRgb((x * 7 + y * 3) & 0xFF, (y * 13 + x / 2) & 0xFF, (x * 3 + y * 5 + 91) & 0xFF);
}

inline QImage Pattern(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, PatternColor(x, y));
  return image;
}

inline QImage Solid(int w, int h, QRgb c) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(c);
  return image;
}

inline QImage Piece(const QImage& picture, int l, int t, int r, int b) { return picture.copy(l, t, r - l, b - t); }

// Opaque RGB32 pixels of a widget as painted.
inline QImage Grab(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// A skin with the given [SKINCONTROLS] part (count, entries and sections)
// and active pictures 0, 1, ...; owned by `owner`.
inline TbsCompressedStoredSkin* BuildSkin(QObject* owner, const std::string& controls,
                                          const std::vector<QImage>& pictures) {
  QTemporaryDir dir;
  std::string ini = "[VERSION]\r\nskinname=Test\r\n[PICTURES]\r\nactivepicturescount=" +
                    std::to_string(pictures.size()) + "\r\n";
  for (size_t i = 0; i < pictures.size(); ++i) {
    const std::string name = "p" + std::to_string(i) + ".bmp";
    TbsBitmapFile::SaveToFile(QDir(dir.path()).filePath(QString::fromStdString(name)).toStdString(), pictures[i]);
    ini += std::to_string(i) + "=" + name + "\r\n";
  }
  ini += "[FORMINFO]\r\n[SKINOBJECTS]\r\ncount=0\r\n" + controls;
  const std::string path = QDir(dir.path()).filePath("skin.ini").toStdString();
  std::ofstream(path, std::ios::binary) << ini;
  auto* stored = new TbsCompressedStoredSkin(owner);
  if (!stored->BuildFromDescriptionFile(path)) return nullptr;
  return stored;
}

inline TbsSkinData* LoadSkin(QObject* owner, const std::string& controls, const std::vector<QImage>& pictures) {
  auto* data = new TbsSkinData(owner);
  data->SetCompressedStoredSkin(BuildSkin(owner, controls, pictures));
  return data;
}

inline void SendNotice(QWidget* control, unsigned msg, TbsSkinData* data) {
  SendMessage(control, msg, reinterpret_cast<intptr_t>(data), TbsSkinData::kNoticeLParam);
}

inline void Enter(QWidget& w, QPoint p = {3, 3}) {
  QEnterEvent e(p, w.mapToGlobal(p), w.mapToGlobal(p));
  QApplication::sendEvent(&w, &e);
}
inline void Leave(QWidget& w) {
  QEvent e(QEvent::Leave);
  QApplication::sendEvent(&w, &e);
}
inline void Mouse(QWidget& w, QEvent::Type type, QPoint p, Qt::MouseButtons held) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(type, p, w.mapToGlobal(p), button, held, Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}
inline void Press(QWidget& w, QPoint p = {3, 3}) { Mouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton); }
inline void Release(QWidget& w, QPoint p = {3, 3}) { Mouse(w, QEvent::MouseButtonRelease, p, Qt::NoButton); }
inline void DragTo(QWidget& w, QPoint p) { Mouse(w, QEvent::MouseMove, p, Qt::LeftButton); }

// One tick of a control's timer, as the event loop would deliver it.
inline void Tick(QObject* timer) { QMetaObject::invokeMethod(timer, "timeout"); }

}  // namespace skintest
