// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A live part of the frame (caption, caption button, animation, a place the
// application paints): one rectangle of the window that draws itself onto
// the frame, changes its look under the mouse and fades between its normal
// and its active look. Not a window: the frame routes mouse input to it.

#include <string>

#include "framework/tbitmap.h"
#include "framework/tcanvas.h"
#include "framework/trect.h"

class TbsSkinFrame;
class TbsDataSkinObject;

class TbsActiveSkinObject {
 public:
  static constexpr double kMorphStep = 0.2;  // five steps make a full fade

  // `Record` null: a default object without a skin.
  TbsActiveSkinObject(TbsSkinFrame* Owner, const TbsDataSkinObject* Record);
  virtual ~TbsActiveSkinObject() = default;
  TbsActiveSkinObject(const TbsActiveSkinObject&) = delete;
  TbsActiveSkinObject& operator=(const TbsActiveSkinObject&) = delete;

  virtual bool NeedsMorphStep() const;
  virtual void Draw(TCanvas& Canvas, bool FullPaint);
  virtual void DblClick() {}
  virtual void MouseDown(int X, int Y, int Button);
  virtual void MouseUp(int X, int Y, int Button);
  virtual void MouseMove(int X, int Y);
  virtual void MouseEnter();
  virtual void MouseLeave();

  // One fade step towards the look the object should show.
  void MorphStep();
  // Draws the object again right away.
  void RepaintNow();
  void StartMorph();
  bool Morphs() const { return Morphing && NeedsMorphStep(); }

  TbsSkinFrame* Owner;
  std::string IDName;
  std::string Hint;
  TRect SkinRect, ActiveSkinRect, InActiveSkinRect;
  bool SkinRectInAPicture = false;
  TBitmap* ActivePicture = nullptr;  // owned by the skin data
  TBitmap* Picture = nullptr;        // the frame picture, owned by the skin data
  bool Morphing = false;
  int MorphKind = 0;
  TRect Bounds;
  bool Enabled = true;
  bool Visible = true;
  bool MouseInside = false;
  bool Hot = false;
  double MorphFactor = 0;

 protected:
  bool FadeUnderWay() const { return (Hot && MorphFactor < 1) || (!Hot && MorphFactor > 0); }
  bool FormActive() const;
  // Copies `Source` of `From` into `Dest` of the canvas, scaled when sizes differ.
  static void CopyPiece(TCanvas& Canvas, const TRect& Dest, const TBitmap* From, const TRect& Source);
  // The fade between two pieces at MorphFactor, drawn at Bounds.
  void DrawMorph(TCanvas& Canvas, const TBitmap* NormalFrom, const TRect& NormalRect, const TBitmap* ActiveFrom,
                 const TRect& ActiveRect);
};

// An empty piece switches its look off.
inline int RectWidthOf(const TRect& r) { return r.Right - r.Left; }
inline int RectHeightOf(const TRect& r) { return r.Bottom - r.Top; }
inline bool IsEmptyPiece(const TRect& r) { return r.Right - r.Left < 1 || r.Bottom - r.Top < 1; }
