// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tbitmap.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <mutex>

namespace {
constexpr QImage::Format kFormat = QImage::Format_RGB32;

QImage NewImage(int width, int height) {
  if (width <= 0 || height <= 0) return QImage();
  QImage image(width, height, kFormat);
  image.fill(Qt::white);
  return image;
}

// Every control paints through a buffer of its own full size. Made fresh for
// each paint, a buffer comes from the system as untouched pages, and the
// first write to each page faults: in the window's first paint that is most
// of a megabyte per panel, and the panels' buffers are painted one after
// another. So the paints of an update take one block in turn, which faults
// only as far as the largest paint reaches, and the block goes back to the
// system once the update is over.
class TPaintMemory {
 public:
  static TPaintMemory& Instance() {
    // Never destroyed: a picture that outlives the program's statics still
    // gives its block back.
    static TPaintMemory* const memory = new TPaintMemory;
    return *memory;
  }

  // A white image in lent memory; the block comes back when the last image
  // sharing it is gone (a copy kept after the paint keeps it until then).
  QImage Lend(int width, int height) {
    const std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    Block* block = nullptr;
    {
      const std::lock_guard<std::mutex> guard(FLock);
      if (FSpare && FSpare->Size >= bytes) std::swap(block, FSpare);
    }
    if (!block) block = Map(bytes);
    if (!block) return NewImage(width, height);
    QImage image(static_cast<uchar*>(block->Data), width, height, width * 4, kFormat, &TPaintMemory::GiveBack, block);
    image.fill(Qt::white);
    return image;
  }

  // Maps the block for the next update and faults in its first `bytes`, so
  // that the update's paints find their pages present. Does nothing while a
  // block is kept already.
  void Prepare(std::size_t bytes) {
    {
      const std::lock_guard<std::mutex> guard(FLock);
      if (FSpare) return;
    }
    Block* block = Map(bytes);
    if (!block) return;
    Populate(block->Data, std::min(bytes, block->Size));
    Block* dropped = nullptr;
    {
      const std::lock_guard<std::mutex> guard(FLock);
      dropped = Keep(block);  // a paint may have given one back meanwhile
    }
    Unmap(dropped);
  }

 private:
  struct Block {
    void* Data;
    std::size_t Size;
  };

  static std::size_t PageSize() { return std::size_t(sysconf(_SC_PAGESIZE)); }

  // Untouched pages cost nothing, so a block is made large enough for the
  // paints of a whole window at once.
  static Block* Map(std::size_t bytes) {
    constexpr std::size_t kAtLeast = std::size_t(4) << 20;
    const std::size_t page = PageSize();
    const std::size_t size = (std::max(bytes, kAtLeast) + page - 1) / page * page;
    void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED) return nullptr;
    return new Block{data, size};
  }

  // One write to each page. Asking the kernel to populate the range instead
  // holds the process's map lock throughout, which stalls every other
  // thread that maps memory meanwhile (the font reading does).
  static void Populate(void* data, std::size_t bytes) {
    const std::size_t page = PageSize();
    for (std::size_t at = 0; at < bytes; at += page) static_cast<volatile char*>(data)[at] = 0;
  }

  static void Unmap(Block* block) {
    if (!block) return;
    munmap(block->Data, block->Size);
    delete block;
  }

  static void GiveBack(void* info) {
    TPaintMemory& memory = Instance();
    Block* block = static_cast<Block*>(info);
    Block* dropped = nullptr;
    bool post = false;
    {
      const std::lock_guard<std::mutex> guard(memory.FLock);
      dropped = memory.Keep(block);
      post = !memory.FReleasePosted && QCoreApplication::instance();
      memory.FReleasePosted = memory.FReleasePosted || post;
    }
    Unmap(dropped);
    if (post) {
      // Posted events run once the update's paints are over.
      QMetaObject::invokeMethod(QCoreApplication::instance(), [] { Instance().Release(); }, Qt::QueuedConnection);
    } else if (!QCoreApplication::instance()) {
      memory.Release();
    }
  }

  // Keeps the larger of `block` and the spare, as it serves every paint, and
  // returns the other (or null) to be unmapped. Called under FLock.
  Block* Keep(Block* block) {
    if (FSpare && FSpare->Size >= block->Size) return block;
    std::swap(block, FSpare);
    return block;
  }

  void Release() {
    Block* spare = nullptr;
    {
      const std::lock_guard<std::mutex> guard(FLock);
      std::swap(spare, FSpare);
      FReleasePosted = false;
    }
    Unmap(spare);
  }

  std::mutex FLock;
  Block* FSpare = nullptr;  // idle, kept for the next paint of this update
  bool FReleasePosted = false;
};
}  // namespace

TBitmap::TBitmap() = default;
TBitmap::TBitmap(int width, int height) : FImage(NewImage(width, height)) {}
TBitmap::TBitmap(int width, int height, ForPaintTag) {
  if (width > 0 && height > 0) FImage = TPaintMemory::Instance().Lend(width, height);
}
void TBitmap::PreparePaintMemory(std::size_t bytes) { TPaintMemory::Instance().Prepare(bytes); }

TBitmap::TBitmap(const QImage& image) { SetImage(image); }
TBitmap::TBitmap(const TBitmap& other)
    : Transparent(other.Transparent), FTransparentColor(other.FTransparentColor) {
  FImage = other.Image().copy();
  FDeviceScale = other.FDeviceScale;
  FDevicePhase = other.FDevicePhase;
  if (const QImage* layer = other.DeviceLayer()) {
    FLayer = layer->copy();
    FLayerCurrent = true;
  }
}
TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  if (FCanvas) FCanvas->Release();
  FImage = other.Image().copy();
  FDeviceScale = other.FDeviceScale;
  FDevicePhase = other.FDevicePhase;
  DropLayer();
  if (const QImage* layer = other.DeviceLayer()) {
    FLayer = layer->copy();
    FLayerCurrent = true;
  }
  Transparent = other.Transparent;
  FTransparentColor = other.FTransparentColor;
  return *this;
}
TBitmap::~TBitmap() {
  if (FCanvas) FCanvas->Release();
}

void TBitmap::SetSize(int width, int height) {
  if (width == Width() && height == Height() && !FImage.isNull()) return;
  if (FCanvas) FCanvas->Release();
  DropLayer();
  FImage = NewImage(width, height);
}

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(this);
  return *FCanvas;
}

QImage& TBitmap::Image() {
  if (FCanvas) FCanvas->Release();
  // The caller may change pixels the layer does not know of.
  DropLayer();
  return FImage;
}

const QImage& TBitmap::Image() const {
  if (FCanvas) FCanvas->Release();
  return FImage;
}

void TBitmap::SetImage(const QImage& image) {
  if (FCanvas) FCanvas->Release();
  DropLayer();
  FImage = image.isNull() ? QImage() : image.convertToFormat(kFormat);
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentColor != clNone) return FTransparentColor;
  if (Empty()) return clNone;
  return FromQColor(QColor(Image().pixel(0, Height() - 1)));
}

void TBitmap::SetDeviceScale(qreal ratio, QPointF phase) {
  // Ratios that differ by less than this are one screen's.
  constexpr qreal kSame = 1e-6;
  if (ratio < 1 + kSame) ratio = 1, phase = QPointF();
  if (std::abs(ratio - FDeviceScale) < kSame && std::abs(phase.x() - FDevicePhase.x()) < kSame &&
      std::abs(phase.y() - FDevicePhase.y()) < kSame)
    return;
  if (FCanvas) FCanvas->Release();
  DropLayer();
  FDeviceScale = ratio;
  FDevicePhase = phase;
}

void TBitmap::DropLayer() {
  if (!FLayerCurrent) return;
  if (FCanvas) FCanvas->Release();
  FLayerCurrent = false;
  FLayer = QImage();
}

const QImage* TBitmap::DeviceLayer() const { return FLayerCurrent ? &FLayer : nullptr; }

// Every device pixel the picture reaches, counted from the one its top-left falls in.
QSize TBitmap::LayerSize() const {
  return QSize(qRound(FImage.width() * FDeviceScale + FDevicePhase.x()),
               qRound(FImage.height() * FDeviceScale + FDevicePhase.y()));
}

void TBitmap::SetDeviceLayer(const QImage& layer) {
  if (FDeviceScale == 1 || Empty() || layer.size() != LayerSize()) return;
  if (FCanvas) FCanvas->Release();
  FLayer = layer.convertToFormat(kFormat);
  FLayer.setDevicePixelRatio(FDeviceScale);
  FLayerCurrent = true;
}

QImage* TBitmap::LayerForDrawing() {
  if (FDeviceScale == 1 || Empty()) return nullptr;
  if (!FLayerCurrent) {
    FLayer = QImage(LayerSize(), kFormat);
    FLayer.setDevicePixelRatio(FDeviceScale);
    QPainter painter(&FLayer);
    AlignLayerPainter(painter, FDeviceScale, FDevicePhase);
    DrawImageCrisp(painter, FImage.rect(), FImage, FImage.rect());
    FLayerCurrent = true;
  }
  return &FLayer;
}
