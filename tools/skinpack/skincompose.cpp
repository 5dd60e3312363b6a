#include "tools/skinpack/skincompose.h"

#include <QFileInfo>
#include <iostream>
#include <stdexcept>

#include "skin/data/tbsbitmapfile.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsdataskincustomcontrol.h"
#include "skin/data/tbsskindata.h"
#include "skin/draw/skinimage.h"

namespace {

constexpr int kMaxSide = 8192;  // far beyond any control, small enough to allocate

struct TWantedSize {
  int Width = 0;
  int Height = 0;
};

TWantedSize ParseSize(const std::string& text) {
  const QStringList parts = QString::fromStdString(text).split('x');
  bool okW = false, okH = false;
  TWantedSize size;
  if (parts.size() == 2) {
    size.Width = parts[0].toInt(&okW);
    size.Height = parts[1].toInt(&okH);
  }
  if (!okW || !okH || size.Width < 1 || size.Height < 1 || size.Width > kMaxSide || size.Height > kMaxSide)
    throw std::runtime_error("size \"" + text + "\" is not <width>x<height> of 1 to 8192 pixels");
  return size;
}

void LoadSkin(TbsCompressedStoredSkin& stored, TbsSkinData& data, const std::string& path) {
  if (QFileInfo(QString::fromStdString(path)).suffix().compare("ini", Qt::CaseInsensitive) == 0) {
    if (!stored.BuildFromDescriptionFile(path))
      throw std::runtime_error(path + ": a skin description needs the sections VERSION, PICTURES, FORMINFO, "
                                      "SKINOBJECTS and SKINCONTROLS");
  } else {
    stored.ReadCompressedSkinFile(path);
    if (stored.Empty()) throw std::runtime_error(path + ": the compressed skin file's version is above 3");
  }
  data.SetCompressedStoredSkin(&stored);
  if (!data.HasSkin()) throw std::runtime_error(path + ": the package version is above 3");
}

// A whole picture composed by its corner points around a client rectangle,
// as the frame, the hint window and the popup window draw theirs.
TBitmap ComposeWholePicture(const TBitmap* picture, const TPoint& LT, const TPoint& RT, const TPoint& LB,
                            const TPoint& RB, const TRect& CR, TWantedSize size, const char* what) {
  if (picture == nullptr || picture->Empty()) throw std::runtime_error(std::string(what) + " has no picture");
  const TRect skinRect{0, 0, picture->Width(), picture->Height()};
  const TbsSizedGeometry g = ComputeSizedGeometry(skinRect, LT, RT, LB, RB, CR, size.Width, size.Height, 1);
  TBitmap result;
  ComposeSkinImage(LT, RT, LB, RB, CR, g.SizedLeftTopPoint, g.SizedRightTopPoint, g.SizedLeftBottomPoint,
                   g.SizedRightBottomPoint, g.SizedClientRect, result, *picture, skinRect, g.Width, g.Height, true);
  return result;
}

// A control record at the wanted size by its stretch kind, as a skinned
// control composes its picture; the fixed dimensions keep the skin's size.
TBitmap ComposeControl(const TbsSkinData& data, const TbsDataSkinControl& record, TWantedSize size) {
  const TBitmap* picture = data.ActivePicture(record.PictureIndex);
  if (picture == nullptr) throw std::runtime_error(record.IDName + " has no picture");
  const TRect& skinRect = record.SkinRect;
  const auto* custom = dynamic_cast<const TbsDataSkinCustomControl*>(&record);
  const TPoint LT = custom ? custom->LeftTopPoint : TPoint{}, RT = custom ? custom->RightTopPoint : TPoint{};
  const TPoint LB = custom ? custom->LeftBottomPoint : TPoint{}, RB = custom ? custom->RightBottomPoint : TPoint{};
  const TRect CR = custom ? custom->ClientRect : TRect{};
  const int kind = StretchKind(skinRect, LT, RT, LB, RB);
  if (kind < 0) throw std::runtime_error(record.IDName + " has an empty skin rectangle");

  TBitmap result;
  switch (kind) {
    case 1: {
      const TbsSizedGeometry g = ComputeSizedGeometry(skinRect, LT, RT, LB, RB, CR, size.Width, size.Height, kind);
      ComposeSkinImage(LT, RT, LB, RB, CR, g.SizedLeftTopPoint, g.SizedRightTopPoint, g.SizedLeftBottomPoint,
                       g.SizedRightBottomPoint, g.SizedClientRect, result, *picture, skinRect, g.Width, g.Height,
                       true);
      break;
    }
    case 2:
      ComposeHorizontalSkinImage(LT.X, RectWidth(skinRect) - RT.X, result, *picture, skinRect, size.Width);
      break;
    case 3:
      ComposeVerticalSkinImage(LT.Y, RectHeight(skinRect) - LB.Y, result, *picture, skinRect, size.Height);
      break;
    default:
      // Fixed: the piece at its own size, whatever size was asked for.
      result.SetImage(picture->Image().copy(skinRect.Left, skinRect.Top, RectWidth(skinRect), RectHeight(skinRect)));
      break;
  }
  return result;
}

}  // namespace

int ComposeSkinRecord(const std::string& skinPath, const std::string& record, const std::string& sizeText,
                      const std::string& out) {
  const TWantedSize size = ParseSize(sizeText);
  TbsCompressedStoredSkin stored;
  TbsSkinData data;
  LoadSkin(stored, data, skinPath);

  TBitmap result;
  const int index = data.FindControlRecord(record);
  if (index >= 0) {
    result = ComposeControl(data, *data.ControlRecords[size_t(index)], size);
  } else if (record == "FORMINFO") {
    result = ComposeWholePicture(&data.Picture, data.LeftTopPoint, data.RightTopPoint, data.LeftBottomPoint,
                                 data.RightBottomPoint, data.ClientRect, size, "the skin");
  } else if (record == "HINTWINDOW") {
    const auto& r = data.HintWindowRecord;
    result = ComposeWholePicture(data.ActivePicture(r.WindowPictureIndex), r.LeftTopPoint, r.RightTopPoint,
                                 r.LeftBottomPoint, r.RightBottomPoint, r.ClientRect, size, "the hint window");
  } else if (record == "POPUPWINDOW") {
    const auto& r = data.PopupWindowRecord;
    result = ComposeWholePicture(data.ActivePicture(r.WindowPictureIndex), r.LeftTopPoint, r.RightTopPoint,
                                 r.LeftBottomPoint, r.RightBottomPoint, r.ItemsRect, size, "the popup window");
  } else {
    throw std::runtime_error(skinPath + ": no control record named \"" + record + "\"");
  }
  TbsBitmapFile::SaveToFile(out, result.Image());
  std::cout << out << ": " << result.Width() << " x " << result.Height() << "\n";
  return 0;
}
