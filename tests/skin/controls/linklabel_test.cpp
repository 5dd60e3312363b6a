// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned link label: its colours by state with and without a record,
// its fonts, and what a click opens.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <map>

#include "embeddedskin.h"
#include "skin/controls/tbsskinlinklabel.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

const char* kControls =
    "[SKINCONTROLS]\r\ncount=2\r\n0=biglabel:stdlabel\r\n1=vsplitter:splitter\r\n"
    "[biglabel]\r\nfontname=Arial\r\nfontheight=28\r\nfontstyle=\r\nfontcolor=255\r\nactivefontcolor=65280\r\n";

constexpr QRgb kBack = qRgb(212, 208, 200);  // button face: neither text colour

// The colour most pixels other than the background have: the text's own,
// which its underline draws solid.
QRgb Ink(const QImage& image, QRgb background = kBack) {
  std::map<QRgb, int> count;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) ++count[image.pixel(x, y)];
  QRgb best = background;
  int most = 0;
  for (auto [c, n] : count)
    if (n > most) best = c, most = n;
  return best;
}

bool Has(const QImage& image, QRgb c) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == c) return true;
  return false;
}

struct LinkLabel : ::testing::Test {
  TForm form;
  TbsSkinData* embedded = LoadEmbeddedSkin(&form);

  TbsSkinLinkLabel* Make(TbsSkinData* data) {
    auto* l = new TbsSkinLinkLabel(form.ClientArea());
    l->SetBounds(5, 5, 10, 10);
    l->SetCaption("Oradel工作室");
    l->SetTransparent(false);  // on the face colour, so every pixel is the label's
    l->SetColor(clBtnFace);
    if (data) l->SetSkinData(data);
    return l;
  }
};

TEST_F(LinkLabel, TheEmbeddedRecordColoursTheTextBlackAndItsHotColourUnderThePointer) {
  TbsSkinLinkLabel* l = Make(embedded);
  ASSERT_NE(l->SkinIndex(), -1);
  EXPECT_EQ(l->SkinFontName, "Arial");
  EXPECT_EQ(l->SkinFontHeight, 14);
  SaveRender(Grab(*l), "linklabel-normal");
  EXPECT_EQ(Ink(Grab(*l)), qRgb(0, 0, 0));
  Enter(*l);
  EXPECT_TRUE(l->MouseIn());
  SaveRender(Grab(*l), "linklabel-hot");
  EXPECT_EQ(Ink(Grab(*l)), qRgb(0, 128, 192));
  Leave(*l);
  EXPECT_FALSE(l->MouseIn());
  EXPECT_EQ(Ink(Grab(*l)), qRgb(0, 0, 0));
}

TEST_F(LinkLabel, WithoutARecordTheDefaultFontsColourAndTheDefaultActiveColour) {
  TbsSkinLinkLabel* l = Make(nullptr);
  TFont font("Arial", 14, 0, clRed);  // no underline asked for: it is added
  l->SetDefaultFont(font);
  l->SetDefaultActiveFontColor(RGBColor(0, 160, 0));
  EXPECT_EQ(Ink(Grab(*l)), qRgb(255, 0, 0));
  Enter(*l);
  EXPECT_EQ(Ink(Grab(*l)), qRgb(0, 160, 0));

  // UseSkinFont off: the label's own font, its colour, the same hot colour.
  l->SetUseSkinFont(false);
  l->Font().SetColor(clNavy);
  Leave(*l);
  EXPECT_EQ(Ink(Grab(*l)), qRgb(0, 0, 128));
  Enter(*l);
  EXPECT_EQ(Ink(Grab(*l)), qRgb(0, 160, 0));
}

TEST_F(LinkLabel, ADisabledLabelIsEmbossedInShadowOverHighlight) {
  for (TbsSkinData* data : {embedded, static_cast<TbsSkinData*>(nullptr)}) {
    TbsSkinLinkLabel* l = Make(data);
    l->SetAutoSize(false);
    l->SetBounds(5, 5, 120, 24);
    l->SetEnabled(false);
    const QImage shot = Grab(*l);
    SaveRender(shot, data ? "linklabel-disabled" : "linklabel-disabled-default");
    EXPECT_EQ(Ink(shot), qRgb(128, 128, 128)) << (data ? "record" : "none");
    EXPECT_TRUE(Has(shot, qRgb(255, 255, 255))) << "the highlight one pixel below and right";
    EXPECT_FALSE(Has(shot, qRgb(0, 0, 0)));
  }
}

TEST_F(LinkLabel, TheRecordsFontSizesTheLabelUnlessUseSkinFontIsOff) {
  TbsSkinData* big = LoadSkin(&form, kControls, {});
  TbsSkinLinkLabel* small = Make(embedded);  // Arial 14
  TbsSkinLinkLabel* large = Make(nullptr);
  large->SetSkinDataName("biglabel");
  large->SetSkinData(big);  // Arial 28
  EXPECT_GT(large->Width(), small->Width() * 17 / 10);
  EXPECT_LT(large->Width(), small->Width() * 23 / 10);
  EXPECT_EQ(Ink(Grab(*large)), qRgb(255, 0, 0));

  large->SetUseSkinFont(false);
  large->Font() = TFont("Arial", 14);  // the label's own font, the record's colour
  EXPECT_EQ(large->Width(), small->Width());
  EXPECT_EQ(Ink(Grab(*large)), qRgb(255, 0, 0));
}

TEST_F(LinkLabel, AClickRunsOnClickThenOpensTheURLAndAnEmptyOneOpensNothing) {
  TbsSkinLinkLabel* l = Make(embedded);
  std::vector<std::string> events;
  l->OnClick = [&] { events.push_back("click"); };
  l->OpenURL = [&](const std::string& url) {
    events.push_back("open " + url);
    return false;  // a failing target raises nothing
  };
  Press(*l);
  Release(*l);
  EXPECT_EQ(events, std::vector<std::string>{"click"});

  l->SetURL("https://www.oradel.example/");
  Press(*l);
  Release(*l);
  EXPECT_EQ(events, (std::vector<std::string>{"click", "click", "open https://www.oradel.example/"}));

  l->SetEnabled(false);
  Press(*l);
  Release(*l);
  EXPECT_EQ(events.size(), 3u) << "a disabled label does nothing";
}

TEST_F(LinkLabel, AnEmptyCaptionStillMeasuresOneLine) {
  TbsSkinLinkLabel* l = Make(embedded);
  l->SetCaption("Oradel");
  const int oneLine = l->Height();
  l->SetCaption("");
  EXPECT_EQ(l->Height(), oneLine);
  EXPECT_GT(l->Width(), 0);
  l->SetCaption("&");
  EXPECT_EQ(l->Height(), oneLine);
  EXPECT_GT(l->Width(), 0);
}

TEST(LinkTarget, AddressesAndPathsReachTheHandlerIntactAndNothingElseDoes) {
  struct Row {
    std::string target;
    const char* encoded;  // nullptr: opens nothing
  } rows[] = {
      {"https://www.oradel.example/", "https://www.oradel.example/"},
      {"https://example.com/a b?q=1#top", "https://example.com/a%20b?q=1#top"},
      {"https://example.com/a%2Fb", "https://example.com/a%2Fb"},
      {"mailto:studio@oradel.example", "mailto:studio@oradel.example"},
      {"https://例子.example/工作室", nullptr},  // checked below: a name in any script
      {"/home/me/my file.txt", "file:///home/me/my%20file.txt"},
      {"/tmp/100%?#", "file:///tmp/100%25%3F%23"},
      {std::string("/tmp/\xff\xfe name"), "file:///tmp/%FF%FE%20name"},
      {"", nullptr},
      {"not an address", nullptr},
      {"relative/path.txt", nullptr},
      {"; rm -rf ~", nullptr},
      {"$(reboot)", nullptr},
      {"http://[broken", nullptr},
  };
  for (const Row& row : rows) {
    const QUrl url = LinkTargetUrl(row.target);
    if (row.target.rfind("https://例子", 0) == 0) {
      ASSERT_TRUE(url.isValid());
      EXPECT_EQ(QUrl::fromAce(url.host().toLatin1(), QUrl::IgnoreIDNWhitelist).toStdString(), "例子.example");
      EXPECT_EQ(url.path().toStdString(), "/工作室");
      continue;
    }
    if (!row.encoded) {
      EXPECT_FALSE(url.isValid()) << row.target << " -> " << url.toEncoded().toStdString();
      EXPECT_FALSE(OpenLinkTarget(row.target)) << row.target;
      continue;
    }
    EXPECT_EQ(url.toEncoded().toStdString(), row.encoded) << row.target;
  }
  // A path's bytes come back exactly, whatever they are.
  const std::string odd = "/tmp/a%b \xc3\x28 #?";
  EXPECT_EQ(QByteArray::fromPercentEncoding(LinkTargetUrl(odd).toEncoded().mid(7)).toStdString(), odd);
}

}  // namespace
