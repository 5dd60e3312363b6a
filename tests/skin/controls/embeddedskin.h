// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own skin, loaded from the block compiled into the program,
// for tests of the controls that the main window dresses in it.

#include "skins/defaultskinblock.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"

namespace skintest {

inline TbsSkinData* LoadEmbeddedSkin(QObject* owner) {
  auto* stored = new TbsCompressedStoredSkin(owner);
  stored->SetFileName("skin.ini");
  stored->SetCompressedData(DefaultSkinBlock());
  auto* data = new TbsSkinData(owner);
  data->SetCompressedStoredSkin(stored);
  return data;
}

// Saves a grab for looking at when BR_RENDER_DIR names a folder.
inline void SaveRender(const QImage& image, const char* name) {
  const QByteArray dir = qgetenv("BR_RENDER_DIR");
  if (!dir.isEmpty()) image.save(QString::fromUtf8(dir) + "/" + name + ".png");
}

}  // namespace skintest
