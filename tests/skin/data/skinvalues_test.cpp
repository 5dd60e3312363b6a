// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/sysutils.h"
#include "skin/data/tbsdataskincaption.h"
#include "skin/data/tbsskindata.h"
#include "skin/data/tbsskindescription.h"
#include "skin/data/tbsskinsectionfiler.h"
#include "skinbytes.h"

namespace {

using namespace std::string_literals;

// Reads one key of one kind from a description holding "key=<text>".
struct Probe {
  explicit Probe(const std::string& value) {
    description.LoadFromText("[S]\r\nkey=" + value + "\r\n");
  }
  TbsSkinDescription description;
  TbsSkinSectionFiler filer = TbsSkinSectionFiler::Reader(description, "S");
};

struct IntegerRow { const char* name; const char* text; int expected; };
class IntegerValue : public ::testing::TestWithParam<IntegerRow> {};
TEST_P(IntegerValue, ReadsAsTheTableSays) {
  Probe p(GetParam().text);
  int v = 0;
  p.filer.Integer("key", v, -7);
  EXPECT_EQ(v, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Syntax, IntegerValue, ::testing::Values(
    IntegerRow{"Decimal", "42", 42}, IntegerRow{"Negative", "-5", -5},
    IntegerRow{"DollarHex", "$FF", 255}, IntegerRow{"ZeroXHex", "0x10", 16},
    IntegerRow{"WordGivesDefault", "abc", -7}, IntegerRow{"EmptyGivesDefault", "", -7},
    IntegerRow{"TrailingJunkGivesDefault", "12px", -7}, IntegerRow{"OverflowGivesDefault", "99999999999", -7},
    IntegerRow{"TheLimitItself", "32767", 32767}, IntegerRow{"LargestIntIsHeldAtTheLimit", "2147483647", 32767},
    IntegerRow{"SmallestIntIsHeldAtTheLimit", "-2147483648", -32767},
    IntegerRow{"HexBeyondTheLimit", "$7FFFFFFF", 32767}),
    [](const auto& info) { return std::string(info.param.name); });

struct BooleanRow { const char* name; const char* text; bool expected; };
class BooleanValue : public ::testing::TestWithParam<BooleanRow> {};
TEST_P(BooleanValue, OnlyOneIsTrue) {
  Probe p(GetParam().text);
  bool v = !GetParam().expected;
  p.filer.Boolean("key", v, false);
  EXPECT_EQ(v, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Syntax, BooleanValue, ::testing::Values(
    BooleanRow{"One", "1", true}, BooleanRow{"HexOne", "$1", true}, BooleanRow{"Zero", "0", false},
    BooleanRow{"Two", "2", false}, BooleanRow{"WordTrue", "true", false}, BooleanRow{"Empty", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct GeometryRow { const char* name; const char* text; TRect expected; bool fails; };
class RectValue : public ::testing::TestWithParam<GeometryRow> {};
TEST_P(RectValue, KeepsOnlyDigitsAndRefusesEmptyFields) {
  Probe p(GetParam().text);
  TRect r{9, 9, 9, 9};
  if (GetParam().fails) {
    EXPECT_THROW(p.filer.Rect("key", r, {0, 0, 0, 0}), EConvertError);
  } else {
    p.filer.Rect("key", r, {0, 0, 0, 0});
    EXPECT_EQ(r, GetParam().expected);
  }
}
INSTANTIATE_TEST_SUITE_P(Syntax, RectValue, ::testing::Values(
    GeometryRow{"Plain", "8,26,168,116", {8, 26, 168, 116}, false},
    GeometryRow{"BlanksAfterCommas", "8, 26, 168, 116", {8, 26, 168, 116}, false},
    GeometryRow{"MinusIsDropped", "-8,26,168,116", {8, 26, 168, 116}, false},
    GeometryRow{"ExtraFieldsIgnored", "1,2,3,4,5", {1, 2, 3, 4}, false},
    GeometryRow{"LettersAmongDigits", "1a0,2,3,4", {10, 2, 3, 4}, false},
    GeometryRow{"TwoCommasInARow", "1,,3,4", {}, true},
    GeometryRow{"TooFewFields", "1,2,3", {}, true},
    GeometryRow{"EmptyValue", "", {}, true},
    GeometryRow{"HugeNumber", "1,2,3,99999999999", {}, true},
    GeometryRow{"LargestIntIsHeldAtTheLimit", "2147483647,1,32768,32767", {32767, 1, 32767, 32767}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ColorValue, IsNotAMeasureAndKeepsItsWholeRange) {
  Probe p("$00FFFFFF");
  TColor c = 0;
  p.filer.Color("key", c, 0);
  EXPECT_EQ(c, 0xFFFFFF);
}

// Extreme values through the whole load: every measure arrives within the
// skin range, so the frame's sums (a corner plus a border, a width from two
// coordinates) and a font's |height| stay representable.
TEST(SkinValueRange, ExtremeMeasuresArriveClampedInTheSkinData) {
  skinbytes::Package package;
  package.Text = R"([FORMINFO]
lefttoppoint=2147483647,2147483647
rightbottompoint=32768,5
clientrect=2147483647,26,2147483647,2147483647
borderwidth=2147483647
buttonsoffset=-2147483648
bgpictureindex=-1
[HINTWINDOW]
fontheight=-2147483648
[SKINOBJECTS]
count=1
0=caption:caption
[caption]
skinrect=0,0,2147483647,2147483647
fontheight=2147483647
)";
  const skinbytes::Bytes bytes = package.Build();
  TbsSkinData data;
  data.LoadFromPackage(bytes.data(), bytes.size());
  EXPECT_EQ(data.LeftTopPoint, (TPoint{32767, 32767}));
  EXPECT_EQ(data.RightBottomPoint, (TPoint{32767, 5})) << "one past the limit";
  EXPECT_EQ(data.ClientRect, (TRect{32767, 26, 32767, 32767}));
  EXPECT_EQ(data.BorderWidth, 32767);
  EXPECT_EQ(data.ButtonsOffset, -32767);
  EXPECT_EQ(data.BGPictureIndex, -1) << "an ordinary value is untouched";
  EXPECT_EQ(data.HintWindowRecord.FontHeight, -32767);
  ASSERT_EQ(data.ObjectRecords.size(), 1u);
  const auto* caption = dynamic_cast<const TbsDataSkinCaption*>(data.ObjectRecords[0].get());
  ASSERT_TRUE(caption);
  EXPECT_EQ(caption->SkinRect, (TRect{0, 0, 32767, 32767}));
  EXPECT_EQ(caption->FontHeight, 32767);
  // What a frame computes from them holds.
  EXPECT_EQ(data.ClientRect.Left + data.BorderWidth, 65534);
  EXPECT_EQ(caption->SkinRect.Width() * caption->SkinRect.Height(), 32767 * 32767);
}

TEST(PointValue, SingleNumberFailsWithTheConversionMessage) {
  Probe p("5");
  TPoint pt;
  try {
    p.filer.Point("key", pt, {0, 0});
    FAIL() << "a point with one field must not read";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
}

TEST(PointValue, MissingKeyTakesTheDefaultAndMinusIsDropped) {
  Probe p("-3, 4");
  TPoint pt;
  p.filer.Point("key", pt, {0, 0});
  EXPECT_EQ(pt, (TPoint{3, 4}));
  p.filer.Point("absent", pt, {1, 2});
  EXPECT_EQ(pt, (TPoint{1, 2}));
}

struct WordRow { const char* name; const char* text; int expected; };
class FontStyleValue : public ::testing::TestWithParam<WordRow> {};
TEST_P(FontStyleValue, IsTheSetOfSubstrings) {
  Probe p(GetParam().text);
  TFontStyles s = 99;
  p.filer.FontStyle("key", s, 0);
  EXPECT_EQ(int(s), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Syntax, FontStyleValue, ::testing::Values(
    WordRow{"Bold", "fsbold", fsBold}, WordRow{"BoldItalicInBrackets", "[fsbold,fsitalic]", fsBold | fsItalic},
    WordRow{"AllFour", "fsstrikeout fsunderline fsitalic fsbold", 15}, WordRow{"CaseMatters", "fsBold", 0},
    WordRow{"Nothing", "plain", 0}),
    [](const auto& info) { return std::string(info.param.name); });

class AlignmentValue : public ::testing::TestWithParam<WordRow> {};
TEST_P(AlignmentValue, AnyOtherWordIsRight) {
  Probe p(GetParam().text);
  TAlignment a = taCenter;
  p.filer.Alignment("key", a, taCenter);
  EXPECT_EQ(int(a), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Syntax, AlignmentValue, ::testing::Values(
    WordRow{"Center", "tacenter", taCenter}, WordRow{"Left", "taleftjustify", taLeftJustify},
    WordRow{"Right", "tarightjustify", taRightJustify}, WordRow{"Unknown", "middle", taRightJustify},
    WordRow{"CaseMatters", "taCenter", taRightJustify}),
    [](const auto& info) { return std::string(info.param.name); });

class EffectValue : public ::testing::TestWithParam<WordRow> {};
TEST_P(EffectValue, AnyOtherWordIsGrayScale) {
  Probe p(GetParam().text);
  TbsImageEffect e = ieBrightness;
  p.filer.ImageEffect("key", e, ieBrightness);
  EXPECT_EQ(int(e), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Syntax, EffectValue, ::testing::Values(
    WordRow{"Brightness", "iebrightness", 0}, WordRow{"Darkness", "iedarkness", 1}, WordRow{"Noise", "ienoise", 3},
    WordRow{"SplitBlur", "iesplitblur", 4}, WordRow{"Invert", "ieinvert", 5}, WordRow{"Unknown", "blur", 2}),
    [](const auto& info) { return std::string(info.param.name); });

class MorphValue : public ::testing::TestWithParam<WordRow> {};
TEST_P(MorphValue, AnyOtherWordIsDefault) {
  Probe p(GetParam().text);
  TbsMorphKind m = mkPush;
  p.filer.MorphKind("key", m, mkDefault);
  EXPECT_EQ(int(m), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Syntax, MorphValue, ::testing::Values(
    WordRow{"Gradient", "mkgradient", 1}, WordRow{"RightSlide", "mkrightslide", 5}, WordRow{"Push", "mkpush", 6},
    WordRow{"Unknown", "fade", 0}),
    [](const auto& info) { return std::string(info.param.name); });

class CommandValue : public ::testing::TestWithParam<WordRow> {};
TEST_P(CommandValue, WordsAreComparedExactly) {
  Probe p(GetParam().text);
  TbsStdCommand c = cmClose;
  p.filer.Command("key", c, cmDefault);
  EXPECT_EQ(int(c), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Syntax, CommandValue, ::testing::Values(
    WordRow{"Close", "cmclose", 0}, WordRow{"Maximize", "cmmaximize", 1}, WordRow{"Minimize", "cmminimize", 2},
    WordRow{"SysMenu", "cmsysmenu", 3}, WordRow{"Default", "cmdefault", 4}, WordRow{"RollUp", "cmrollup", 5},
    WordRow{"OtherCaseIsTray", "cmMinimize", 6}, WordRow{"UnknownIsTray", "cmhide", 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ListValue, ReadsCountThenNumberedKeys) {
  TbsSkinDescription d;
  d.LoadFromText("[P]\nactivepicturescount=3\n0=a.bmp\n2=c.bmp\n");
  auto f = TbsSkinSectionFiler::Reader(d, "p");
  std::vector<std::string> list{"stale"};
  f.List("activepictures", list);
  EXPECT_EQ(list, (std::vector<std::string>{"a.bmp", "", "c.bmp"}));
}

TEST(Description, SectionsAndKeysIgnoreCaseAndTheLastDuplicateWins) {
  TbsSkinDescription d;
  d.LoadFromText(
      "stray=before any section\r\n"
      "  [ Panel ]  \r\n"
      "; a comment\r\n"
      "SkinRect = 1,2,3,4\r"
      "skinrect=5,6,7,8\n"
      "noequals\r\n"
      "[other]\r\nkey=a=b\r\n"
      "[PANEL]\r\nfontname=Tahoma\r\n");
  EXPECT_FALSE(d.Find("panel", "skinrect")) << "a repeated section replaces the earlier one";
  ASSERT_TRUE(d.Find("panel", "FONTNAME"));
  EXPECT_EQ(*d.Find("panel", "FONTNAME"), "Tahoma");
  ASSERT_TRUE(d.Find("OTHER", "key"));
  EXPECT_EQ(*d.Find("OTHER", "key"), "a=b") << "the value is everything after the first '='";
  EXPECT_FALSE(d.Find("stray", "stray"));

  TbsSkinDescription dup;
  dup.LoadFromText("[s]\nk=1\nK=2\n");
  EXPECT_EQ(*dup.Find("S", "k"), "2");
}

TEST(Description, ZeroByteEndsTheTextAndAllLineEndsSplit) {
  const std::string text = "[a]\rx=1\ny=2\r\nz=3\0[b]\r\nw=4"s;
  ASSERT_EQ(text.size(), 25u);  // the section after the zero byte is there to be ignored
  EXPECT_EQ(TbsSkinDescription::SplitLines(text), (std::vector<std::string>{"[a]", "x=1", "y=2", "z=3"}));
  TbsSkinDescription d;
  d.LoadFromText(text);
  EXPECT_FALSE(d.SectionExists("b"));
  EXPECT_EQ(*d.Find("a", "z"), "3");
}

}  // namespace
