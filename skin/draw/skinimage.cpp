// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/draw/skinimage.h"

#include "skin/draw/pixelbuffer.h"

using bspixels::BlitRect;

int StretchKind(const TRect& SkinRect, const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB) {
  (void)LT;
  if (IsEmptyRect(SkinRect)) return -1;
  if (RB.X != 0 && RB.Y != 0) return 1;
  if (RT.X != 0 || RT.Y != 0) return 2;
  if (LB.X != 0 || LB.Y != 0) return 3;
  return 0;
}

TbsSizedGeometry ComputeSizedGeometry(const TRect& SkinRect, const TPoint& LT, const TPoint& RT, const TPoint& LB,
                                      const TPoint& RB, const TRect& CR, int Width, int Height, int Kind) {
  TbsSizedGeometry g;
  const bool widthFollows = Kind == 1 || Kind == 2;
  const bool heightFollows = Kind == 1 || Kind == 3;
  g.Width = widthFollows ? Width : RectWidth(SkinRect);
  g.Height = heightFollows ? Height : RectHeight(SkinRect);
  const int dw = g.Width - RectWidth(SkinRect);
  const int dh = g.Height - RectHeight(SkinRect);
  g.SizedLeftTopPoint = LT;
  g.SizedRightTopPoint = {RT.X + dw, RT.Y};
  g.SizedLeftBottomPoint = {LB.X, LB.Y + dh};
  g.SizedRightBottomPoint = {RB.X + dw, RB.Y + dh};
  g.SizedClientRect = {CR.Left, CR.Top, CR.Right + dw, CR.Bottom + dh};
  if (Kind == 2) g.SizedRightBottomPoint = RB;  // only the right-top point and the client's right move
  if (Kind == 3) g.SizedRightBottomPoint = RB;  // only the left-bottom point and the client's bottom move
  return g;
}

namespace {

struct TStretchFlags {
  bool Left = false, Top = false, Right = false, Bottom = false;
};

//   Skin rectangle, cut by the corner points and the client rectangle:
//
//        0    LT.X          RT.X   SkinWidth
//      0 +-----+--------------+-----+
//        | TL  |   top edge   | TR  |
//  CR.Top+--+--+--------------+--+--+
//        |TL|                    |TR|   RT.Y
//   LT.Y +--+                    +--+
//        |l |       middle       | r|   left / right edges
//   LB.Y +--+     (CR, tiled)    +--+
//        |BL|                    |BR|   RB.Y
//  CR.Bot+--+--+--------------+--+--+
//        | BL  | bottom edge  | BR  |
//   SkinH+-----+--------------+-----+
//        0    LB.X          RB.X
//
// Each corner is L-shaped (two pieces, copied 1:1); the edges run between
// the points (tiled, or one scaled copy when stretched); the middle is the
// client rectangle tiled from its top-left.
void Compose(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& CR,
             const TPoint& NLT, const TPoint& NRT, const TPoint& NLB, const TPoint& NRB, const TRect& NCR,
             TBitmap& Dest, const TBitmap& Source, const TRect& SkinRect, int Width, int Height, bool DrawClient,
             TStretchFlags stretch) {
  Dest.SetSize(Width, Height);
  if (RB.X == LT.X || RB.Y == LT.Y || Source.Empty()) return;
  QImage& dst = Dest.Image();
  const QImage& src = Source.Image();
  if (dst.isNull()) return;
  const int SL = SkinRect.Left, ST = SkinRect.Top;
  const int SkinWidth = RectWidth(SkinRect), SkinHeight = RectHeight(SkinRect);
  // Skin-relative source rectangle to picture coordinates.
  const auto S = [&](int l, int t, int r, int b) { return TRect{SL + l, ST + t, SL + r, ST + b}; };

  // Top edge: rows 0 .. NCR.Top, from NLT.X to NRT.X.
  {
    const TRect piece = S(LT.X, 0, RT.X, CR.Top);
    if (stretch.Top)
      BlitRect(dst, {NLT.X, 0, NRT.X, NCR.Top}, src, piece);
    else
      TileRun(RectWidth(piece), NLT.X, NRT.X, [&](int at, int n) {
        BlitRect(dst, {at, 0, at + n, NCR.Top}, src, {piece.Left, piece.Top, piece.Left + n, piece.Bottom});
      });
  }
  // Bottom edge: rows NCR.Bottom .. Height, from NLB.X to NRB.X.
  {
    const TRect piece = S(LB.X, CR.Bottom, RB.X, SkinHeight);
    if (stretch.Bottom)
      BlitRect(dst, {NLB.X, NCR.Bottom, NRB.X, Height}, src, piece);
    else
      TileRun(RectWidth(piece), NLB.X, NRB.X, [&](int at, int n) {
        BlitRect(dst, {at, NCR.Bottom, at + n, Height}, src, {piece.Left, piece.Top, piece.Left + n, piece.Bottom});
      });
  }
  // Left edge: columns 0 .. NCR.Left, from NLT.Y to NLB.Y.
  {
    const TRect piece = S(0, LT.Y, CR.Left, LB.Y);
    if (stretch.Left)
      BlitRect(dst, {0, NLT.Y, NCR.Left, NLB.Y}, src, piece);
    else
      TileRun(RectHeight(piece), NLT.Y, NLB.Y, [&](int at, int n) {
        BlitRect(dst, {0, at, NCR.Left, at + n}, src, {piece.Left, piece.Top, piece.Right, piece.Top + n});
      });
  }
  // Right edge: columns NCR.Right .. Width, from NRT.Y to NRB.Y.
  {
    const TRect piece = S(CR.Right, RT.Y, SkinWidth, RB.Y);
    if (stretch.Right)
      BlitRect(dst, {NCR.Right, NRT.Y, Width, NRB.Y}, src, piece);
    else
      TileRun(RectHeight(piece), NRT.Y, NRB.Y, [&](int at, int n) {
        BlitRect(dst, {NCR.Right, at, Width, at + n}, src, {piece.Left, piece.Top, piece.Right, piece.Top + n});
      });
  }
  // Corners: two pieces each.
  BlitRect(dst, {0, 0, NLT.X, NCR.Top}, src, S(0, 0, LT.X, CR.Top));
  BlitRect(dst, {0, NCR.Top, NCR.Left, NLT.Y}, src, S(0, CR.Top, CR.Left, LT.Y));
  BlitRect(dst, {NRT.X, 0, Width, NCR.Top}, src, S(RT.X, 0, SkinWidth, CR.Top));
  BlitRect(dst, {NCR.Right, NCR.Top, Width, NRT.Y}, src, S(CR.Right, CR.Top, SkinWidth, RT.Y));
  BlitRect(dst, {0, NLB.Y, NCR.Left, Height}, src, S(0, LB.Y, CR.Left, SkinHeight));
  BlitRect(dst, {NCR.Left, NCR.Bottom, NLB.X, Height}, src, S(CR.Left, CR.Bottom, LB.X, SkinHeight));
  BlitRect(dst, {NRB.X, NCR.Bottom, Width, Height}, src, S(RB.X, CR.Bottom, SkinWidth, SkinHeight));
  BlitRect(dst, {NCR.Right, NRB.Y, Width, NCR.Bottom}, src, S(CR.Right, RB.Y, SkinWidth, CR.Bottom));
  // Middle: the client rectangle tiled over NCR from its top-left.
  if (DrawClient) {
    const TRect client = S(CR.Left, CR.Top, CR.Right, CR.Bottom);
    TileRun(RectHeight(client), NCR.Top, NCR.Bottom, [&](int y, int h) {
      TileRun(RectWidth(client), NCR.Left, NCR.Right, [&](int x, int w) {
        BlitRect(dst, {x, y, x + w, y + h}, src, {client.Left, client.Top, client.Left + w, client.Top + h});
      });
    });
  }
}

}  // namespace

void ComposeSkinImage(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& CR,
                      const TPoint& NLT, const TPoint& NRT, const TPoint& NLB, const TPoint& NRB, const TRect& NCR,
                      TBitmap& Dest, const TBitmap& Source, const TRect& SkinRect, int Width, int Height,
                      bool DrawClient) {
  Compose(LT, RT, LB, RB, CR, NLT, NRT, NLB, NRB, NCR, Dest, Source, SkinRect, Width, Height, DrawClient, {});
}

void ComposeSkinImageStretched(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                               const TRect& CR, const TPoint& NLT, const TPoint& NRT, const TPoint& NLB,
                               const TPoint& NRB, const TRect& NCR, TBitmap& Dest, const TBitmap& Source,
                               const TRect& SkinRect, int Width, int Height, bool DrawClient, bool LeftStretch,
                               bool TopStretch, bool RightStretch, bool BottomStretch) {
  Compose(LT, RT, LB, RB, CR, NLT, NRT, NLB, NRB, NCR, Dest, Source, SkinRect, Width, Height, DrawClient,
          {LeftStretch, TopStretch, RightStretch, BottomStretch});
}

void ComposeFrameEdges(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& CR,
                       const TPoint& NLT, const TPoint& NRT, const TPoint& NLB, const TPoint& NRB, const TRect& NCR,
                       TBitmap& LeftStrip, TBitmap& TopStrip, TBitmap& RightStrip, TBitmap& BottomStrip,
                       const TBitmap& Source, const TRect& SkinRect, int Width, int Height, bool LeftStretch,
                       bool TopStretch, bool RightStretch, bool BottomStretch) {
  (void)NLB;
  if (Source.Empty()) return;
  const QImage& src = Source.Image();
  const int SL = SkinRect.Left, ST = SkinRect.Top;
  const int SkinWidth = RectWidth(SkinRect), SkinHeight = RectHeight(SkinRect);
  const int TopH = NCR.Top, BottomH = Height - NCR.Bottom;
  const int LeftW = NCR.Left, RightW = Width - NCR.Right;
  const int SideH = Height - BottomH - TopH;

  // Top strip: the edge tiles start at the strip's left edge, so the phase
  // seen at NLT.X is NLT.X mod the tile length.
  if (Width > 0 && TopH > 0 && RT.X - LT.X > 0) {
    TopStrip.SetSize(Width, TopH);
    QImage& dst = TopStrip.Image();
    const TRect piece{SL + LT.X, ST, SL + RT.X, ST + TopH};
    if (TopStretch)
      BlitRect(dst, {NLT.X, 0, NRT.X, TopH}, src, piece);
    else
      TileRun(RectWidth(piece), 0, Width, [&](int at, int n) {
        BlitRect(dst, {at, 0, at + n, TopH}, src, {piece.Left, piece.Top, piece.Left + n, piece.Bottom});
      });
    BlitRect(dst, {0, 0, NLT.X, TopH}, src, {SL, ST, SL + LT.X, ST + TopH});
    BlitRect(dst, {NRT.X, 0, Width, TopH}, src, {SL + RT.X, ST, SL + SkinWidth, ST + TopH});
  }
  // Bottom strip: the last BottomH rows of the skin rectangle.
  if (Width > 0 && BottomH > 0 && RB.X - LB.X > 0) {
    BottomStrip.SetSize(Width, BottomH);
    QImage& dst = BottomStrip.Image();
    const int top = ST + SkinHeight - BottomH, bottom = ST + SkinHeight;
    const TRect piece{SL + LB.X, top, SL + RB.X, bottom};
    if (BottomStretch)
      BlitRect(dst, {NLB.X, 0, NRB.X, BottomH}, src, piece);
    else
      TileRun(RectWidth(piece), 0, Width, [&](int at, int n) {
        BlitRect(dst, {at, 0, at + n, BottomH}, src, {piece.Left, top, piece.Left + n, bottom});
      });
    BlitRect(dst, {0, 0, NLB.X, BottomH}, src, {SL, top, SL + LB.X, bottom});
    BlitRect(dst, {NRB.X, 0, Width, BottomH}, src, {SL + RB.X, top, SL + SkinWidth, bottom});
  }
  // Side strips: strip row 0 is window row NCR.Top.
  const auto side = [&](TBitmap& strip, int w, int left, int right, int pieceTop, int pieceBottom, bool stretched) {
    strip.SetSize(w, SideH);
    QImage& dst = strip.Image();
    const TRect piece{SL + left, ST + pieceTop, SL + right, ST + pieceBottom};
    if (stretched)
      BlitRect(dst, {0, pieceTop - CR.Top, w, SideH + pieceBottom - CR.Bottom}, src, piece);
    else
      TileRun(RectHeight(piece), 0, SideH, [&](int at, int n) {
        BlitRect(dst, {0, at, w, at + n}, src, {piece.Left, piece.Top, piece.Right, piece.Top + n});
      });
    const int head = pieceTop - CR.Top, tail = CR.Bottom - pieceBottom;
    if (head > 0) BlitRect(dst, {0, 0, w, head}, src, {piece.Left, ST + CR.Top, piece.Right, piece.Top});
    if (tail > 0)
      BlitRect(dst, {0, SideH - tail, w, SideH}, src, {piece.Left, piece.Bottom, piece.Right, ST + CR.Bottom});
  };
  if (LeftW > 0 && SideH > 0 && LB.Y - LT.Y > 0) side(LeftStrip, LeftW, 0, LeftW, LT.Y, LB.Y, LeftStretch);
  if (RightW >= 1 && SideH >= 1 && RB.Y - RT.Y >= 1)
    side(RightStrip, RightW, CR.Right, SkinWidth, RT.Y, RB.Y, RightStretch);
}

namespace {

// Both ends of a one-dimensional skin rectangle 1:1, the middle tiled.
// rectAt(position, length, inSource) turns a stretch of the run into a
// rectangle of the destination or of the source picture.
template <class MakeRect>
void ComposeRun(int startOffset, int endOffset, int skinLength, int length, int emptyMiddle, QImage& dst,
                const QImage& src, MakeRect&& rectAt) {
  if (startOffset != 0) BlitRect(dst, rectAt(0, startOffset, false), src, rectAt(0, startOffset, true));
  if (endOffset != 0)
    BlitRect(dst, rectAt(length - endOffset, endOffset, false), src,
             rectAt(skinLength - endOffset, endOffset, true));
  int middle = skinLength - startOffset - endOffset;
  if (middle == 0) middle = emptyMiddle;
  if (middle < 0) return;  // ends that overlap leave no middle
  TileRun(middle, startOffset, length - endOffset, [&](int at, int n) {
    BlitRect(dst, rectAt(at, n, false), src, rectAt(startOffset, n, true));
  });
}

}  // namespace

void ComposeHorizontalSkinImage(int LeftOffset, int RightOffset, TBitmap& Dest, const TBitmap& Source,
                                const TRect& SkinRect, int Width) {
  const int SkinHeight = RectHeight(SkinRect);
  Dest.SetSize(Width, SkinHeight);
  if (Source.Empty() || Dest.Empty()) return;
  // A middle of length 0 is one column wide.
  ComposeRun(LeftOffset, RightOffset, RectWidth(SkinRect), Width, 1, Dest.Image(), Source.Image(),
             [&](int at, int n, bool inSource) {
               const int x = inSource ? SkinRect.Left + at : at;
               const int y = inSource ? SkinRect.Top : 0;
               return TRect{x, y, x + n, y + SkinHeight};
             });
}

void ComposeVerticalSkinImage(int TopOffset, int BottomOffset, TBitmap& Dest, const TBitmap& Source,
                              const TRect& SkinRect, int Height) {
  const int SkinWidth = RectWidth(SkinRect);
  Dest.SetSize(SkinWidth, Height);
  if (Source.Empty() || Dest.Empty()) return;
  // A middle of length 0 draws one empty tile, which is nothing.
  ComposeRun(TopOffset, BottomOffset, RectHeight(SkinRect), Height, 0, Dest.Image(), Source.Image(),
             [&](int at, int n, bool inSource) {
               const int x = inSource ? SkinRect.Left : 0;
               const int y = inSource ? SkinRect.Top + at : at;
               return TRect{x, y, x + SkinWidth, y + n};
             });
}
