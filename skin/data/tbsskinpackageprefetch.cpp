// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsskinpackageprefetch.h"

#include <future>
#include <memory>
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
  TbsSkinPackage package = TbsSkinPackage::Read(bytes.data(), bytes.size());
  package.Description.emplace();
  package.Description->LoadFromText(package.DescriptionText);
  return package;
}

}  // namespace

std::function<void()> TbsSkinPackagePrefetch::Prepare(const std::vector<uint8_t>& block) {
  // The job owns its copy of the bytes: a prefetch replaced before its job
  // runs still decodes safely, into a result nobody takes.
  auto job = std::make_shared<std::packaged_task<TbsSkinPackage()>>([bytes = block] { return Decode(bytes); });
  Pending& slot = Slot();
  std::lock_guard lock(slot.Lock);
  slot.Block = block;
  slot.Package = job->get_future();
  return [job] { (*job)(); };
}

void TbsSkinPackagePrefetch::Start(const std::vector<uint8_t>& block) {
  // One worker at a time: a new start first waits for the previous one to end.
  static std::mutex workerLock;
  static std::future<void> worker;  // joined by the next start, or at exit
  std::function<void()> job = Prepare(block);
  std::lock_guard lock(workerLock);
  worker = std::async(std::launch::async, std::move(job));
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
  try {
    return package.get();
  } catch (const std::future_error&) {
    return std::nullopt;  // the job was dropped unrun
  }
}
