#include "skin/data/tbsskinpackageprefetch.h"

#include <future>
#include <mutex>
#include <utility>

#include "skin/data/tbscompressedstoredskin.h"

namespace {

struct Pending {
  std::mutex Lock;
  std::vector<uint8_t> Block;  // the bytes being decoded, to match a load against
  std::future<TbsSkinPackage> Package;
};

Pending& Slot() {
  static Pending pending;
  return pending;
}

TbsSkinPackage Decode(const std::vector<uint8_t>& block) {
  std::vector<uint8_t> bytes;
  TbsCompressedStoredSkin::Inflate(block, bytes);
  return TbsSkinPackage::Read(bytes.data(), bytes.size());
}

}  // namespace

void TbsSkinPackagePrefetch::Start(const std::vector<uint8_t>& block) {
  std::future<TbsSkinPackage> dropped;  // waits for its worker outside the lock
  Pending& slot = Slot();
  std::lock_guard lock(slot.Lock);
  dropped = std::move(slot.Package);
  slot.Block = block;
  slot.Package = std::async(std::launch::async, [bytes = block] { return Decode(bytes); });
}

std::optional<TbsSkinPackage> TbsSkinPackagePrefetch::Take(const std::vector<uint8_t>& block) {
  std::future<TbsSkinPackage> package;
  {
    Pending& slot = Slot();
    std::lock_guard lock(slot.Lock);
    if (!slot.Package.valid() || slot.Block != block) return std::nullopt;
    package = std::move(slot.Package);
    slot.Block.clear();
  }
  return package.get();
}
