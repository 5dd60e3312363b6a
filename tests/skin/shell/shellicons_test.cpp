// SPDX-License-Identifier: GPL-3.0-or-later
// The shell's standard icons are read from the toolkit's pictures without its
// style; whatever size, mode, state or pixel ratio they are drawn at, they
// must give exactly what the style's own icons give.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include "platform/systemimagelist.h"

namespace {

const QStyle::StandardPixmap kShellIcons[] = {
    QStyle::SP_DesktopIcon, QStyle::SP_DirHomeIcon, QStyle::SP_ComputerIcon, QStyle::SP_TrashIcon,
    QStyle::SP_DriveHDIcon, QStyle::SP_DriveFDIcon, QStyle::SP_DirClosedIcon, QStyle::SP_DirOpenIcon};

QImage Premultiplied(const QPixmap& pixmap) {
  return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// `icon` painted into a grey picture of `size` device pixels at `ratio`.
QImage Painted(const QIcon& icon, QSize size, qreal ratio, QIcon::Mode mode, QIcon::State state) {
  QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(QColor(90, 120, 150));
  QPainter painter(&image);
  icon.paint(&painter, QRect(QPoint(0, 0), size), Qt::AlignCenter, mode, state);
  return image;
}

}  // namespace

TEST(ShellIcons, StandardIconsGiveTheStylesPicturesAtEverySizeModeAndState) {
  for (QStyle::StandardPixmap sp : kShellIcons) {
    const QIcon ours = StandardShellIcon(sp);
    const QIcon style = QApplication::style()->standardIcon(sp);
    ASSERT_FALSE(ours.isNull()) << sp;
    for (QIcon::State state : {QIcon::Off, QIcon::On}) {
      for (QIcon::Mode mode : {QIcon::Normal, QIcon::Selected, QIcon::Disabled, QIcon::Active}) {
        EXPECT_EQ(ours.availableSizes(mode, state), style.availableSizes(mode, state)) << sp;
        for (int side : {8, 15, 16, 17, 24, 32, 33, 64, 128, 160}) {
          const QSize size(side, side);
          SCOPED_TRACE(testing::Message() << "icon " << sp << " size " << side << " mode " << mode << " state " << state);
          EXPECT_EQ(ours.actualSize(size, mode, state), style.actualSize(size, mode, state));
          const QPixmap a = ours.pixmap(size, 1.0, mode, state), b = style.pixmap(size, 1.0, mode, state);
          ASSERT_EQ(a.size(), b.size());
          EXPECT_TRUE(Premultiplied(a) == Premultiplied(b));
          for (qreal ratio : {1.0, 2.0})
            EXPECT_TRUE(Painted(ours, size, ratio, mode, state) == Painted(style, size, ratio, mode, state)) << ratio;
        }
        // A wide request picks by area, as the toolkit does.
        EXPECT_EQ(ours.actualSize(QSize(20, 10), mode, state), style.actualSize(QSize(20, 10), mode, state));
      }
    }
  }
}

TEST(ShellIcons, TheFolderIconsOpenAndClosedAreDifferentPictures) {
  // Guards the comparison above against two icons that are both empty.
  const QIcon home = StandardShellIcon(QStyle::SP_DirHomeIcon);
  const QImage closed = Premultiplied(home.pixmap(QSize(16, 16), 1.0, QIcon::Normal, QIcon::Off));
  const QImage open = Premultiplied(home.pixmap(QSize(16, 16), 1.0, QIcon::Normal, QIcon::On));
  EXPECT_EQ(closed.size(), QSize(16, 16));
  EXPECT_NE(closed, open);
  int opaque = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) opaque += qAlpha(closed.pixel(x, y)) == 255;
  EXPECT_GT(opaque, 40);
}
