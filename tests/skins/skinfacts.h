// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading a skin folder the way the program loads its stored skin, and the
// pixel checks that say a piece tiles without seams.

#include <QImage>
#include <memory>
#include <string>

#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"

struct TLoadedSkin {
  TbsCompressedStoredSkin Stored;
  TbsSkinData Data;
};

// Builds the package from `folder`/skin.ini and loads it; fails the test on
// any error.
inline std::unique_ptr<TLoadedSkin> LoadSkinFolder(const std::string& folder) {
  auto skin = std::make_unique<TLoadedSkin>();
  if (!skin->Stored.BuildFromDescriptionFile(folder + "/skin.ini")) return nullptr;
  skin->Data.SetCompressedStoredSkin(&skin->Stored);
  return skin;
}

// Every column of `r` is the same as its first: the run tiles along x
// without a seam. Rows likewise for tiling along y.
inline bool ColumnsAlike(const QImage& image, int left, int top, int right, int bottom) {
  for (int x = left + 1; x < right; ++x)
    for (int y = top; y < bottom; ++y)
      if (image.pixel(x, y) != image.pixel(left, y)) return false;
  return true;
}
inline bool RowsAlike(const QImage& image, int left, int top, int right, int bottom) {
  for (int y = top + 1; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (image.pixel(x, y) != image.pixel(x, top)) return false;
  return true;
}
