// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns a stored skin into what the skinned parts draw from: the pictures,
// the frame's [FORMINFO] values, the popup and hint window looks and the
// ordered lists of object and control records. Each (re)load is announced to
// every form by the skin change notices, sent synchronously.

#include <QPointer>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/tbitmap.h"
#include "framework/tcomponent.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsdataskincontrol.h"
#include "skin/data/tbsdataskinhintwindow.h"
#include "skin/data/tbsdataskinobject.h"
#include "skin/data/tbsdataskinpopupwindow.h"
#include "skin/data/tbsresourcestrdata.h"

class TbsSkinPackage;

class TbsSkinData : public TComponent {
 public:
  static constexpr intptr_t kNoticeLParam = 1000;  // lParam of every skin notice

  explicit TbsSkinData(QObject* owner = nullptr);
  ~TbsSkinData() override;

  // Setting a stored skin loads it at once (unless designing); the reference
  // clears itself when that component goes.
  TbsCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin.data(); }
  void SetCompressedStoredSkin(TbsCompressedStoredSkin* value);
  TbsResourceStrData* ResourceStrData() const { return FResourceStrData.data(); }
  void SetResourceStrData(TbsResourceStrData* value);

  bool HasSkin() const { return FHasSkin; }

  // Loads the attached stored skin again; an empty one changes nothing.
  void LoadCompressedStoredSkin();
  // Loads an already inflated skin package, with the same notices.
  void LoadFromPackage(const uint8_t* data, size_t size);
  void ClearSkin();

  // Index of the first record named exactly `name` (case-sensitive), or -1.
  // A plain scan: controls call it at every paint of a short list.
  int FindObjectRecord(const std::string& name) const;
  int FindControlRecord(const std::string& name) const;
  // Whether a [SKINOBJECTS] or [SKINCONTROLS] entry's type makes a record.
  static bool IsObjectType(const std::string& type);
  static bool IsControlType(const std::string& type);
  // The skin picture with that index, or null for -1 and any index outside.
  TBitmap* ActivePicture(int index) const;
  // A user-visible text: from the attached table, else the built-in one.
  std::string Text(const std::string& name) const;

  // Sends a notice to the owning form, then to every other form in order.
  void SendSkinMessage(unsigned message);

  // Writes [VERSION], [PICTURES], [FORMINFO], [POPUPWINDOW] and [HINTWINDOW]
  // as they were read (with the [FORMINFO] adjustments applied).
  void SaveToDescription(TbsSkinDescription& description) const;

  // [VERSION]
  std::string SkinName, SkinAuthor, AuthorEmail, AuthorURL, SkinComments;
  // [PICTURES]
  std::string PictureName, InactivePictureName, MaskName;
  std::vector<std::string> ActivePicturesNames;
  TBitmap Picture, InactivePicture, Mask;
  std::vector<std::unique_ptr<TBitmap>> ActivePictures;

  std::vector<std::unique_ptr<TbsDataSkinObject>> ObjectRecords;
  std::vector<std::unique_ptr<TbsDataSkinControl>> ControlRecords;
  TbsDataSkinPopupWindow PopupWindowRecord;
  TbsDataSkinHintWindow HintWindowRecord;

  // [FORMINFO]
  TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  TRect ClientRect;
  int BGPictureIndex = -1;
  int MDIBGPictureIndex = -1;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
  TRect MaskRectArea;
  TPoint HitTestLeftTopPoint, HitTestRightTopPoint, HitTestLeftBottomPoint, HitTestRightBottomPoint;
  TRect ButtonsRect;
  TRect CaptionRect;
  int ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  bool MainMenuPopupUp = false;
  int BorderWidth = 0;
  bool AutoRenderingInactiveImage = false;
  TbsImageEffect InactiveEffect = ieBrightness;

 private:
  void BeginLoad();
  void ReadPackage(const uint8_t* data, size_t size);
  void ApplyPackage(TbsSkinPackage package);
  void ExchangeHeader(TbsSkinSectionFiler& version, TbsSkinSectionFiler& pictures);
  void ExchangeFormInfo(TbsSkinSectionFiler& filer);
  void AdjustFormInfo();
  void CreateRecords(const TbsSkinDescription& description);

  QPointer<TbsCompressedStoredSkin> FCompressedStoredSkin;
  QPointer<TbsResourceStrData> FResourceStrData;
  bool FHasSkin = false;
};
