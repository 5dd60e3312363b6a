// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loads a skin package file (the packer's compressed skin file) into the
// window's skin data, keeping the skin in use when the file cannot be loaded.
// It owns the stored skin of the file it loaded last; the window keeps
// owning its embedded one.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"

class TSkinFileLoader {
 public:
  // A skin package is a few hundred kilobytes; more is no skin of ours.
  static constexpr int64_t kMaxFileSize = int64_t(16) << 20;

  explicit TSkinFileLoader(TbsSkinData& data) : FData(data) {}
  ~TSkinFileLoader();

  // Loads `path` with the usual skin notices. Returns the problem, empty on
  // success; on a problem the skin drawn before is drawn again.
  std::string Load(const std::string& path);
  // Goes back to a stored skin the caller owns (the embedded one).
  void UseStored(TbsCompressedStoredSkin* stored);
  // The file of the skin in use, empty for the caller's own.
  std::string LoadedFile() const;

  // After a skin was taken: true for one from a file, false for the caller's own.
  std::function<void(bool fromFile)> OnSkinTaken;

 private:
  TbsSkinData& FData;
  std::unique_ptr<TbsCompressedStoredSkin> FLoaded;
};
