// SPDX-License-Identifier: GPL-3.0-or-later
// One table of every record kind's keys and defaults, written from the
// description of the skin format rather than from the records' code, and
// each record kind checked against it: a misspelt key, a missing or extra
// key, a key out of order or a wrong default fails here.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/data/tbsskindata.h"
#include "skinbytes.h"

namespace {

struct Key {
  std::string Name, Default;
};
using Keys = std::vector<Key>;

Keys operator+(Keys a, const Keys& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::string R0 = "0,0,0,0", P0 = "0,0";
Keys Rects(std::initializer_list<const char*> names) {
  Keys k;
  for (const char* n : names) k.push_back({n, R0});
  return k;
}
Keys Zeros(std::initializer_list<const char*> names) {
  Keys k;
  for (const char* n : names) k.push_back({n, "0"});
  return k;
}
Keys Font(const std::string& prefix = "") {
  return {{prefix + "fontname", "Arial"}, {prefix + "fontheight", "14"}, {prefix + "fontstyle", ""}, {prefix + "fontcolor", "0"}};
}
const Keys kCorners = {{"lefttoppoint", P0}, {"righttoppoint", P0}, {"leftbottompoint", P0}, {"rightbottompoint", P0}};
const Keys kStretch = Zeros({"leftstretch", "rightstretch", "topstretch", "bottomstretch"});

// Control records.
const Keys kControl = {{"pictureindex", "-1"}, {"maskpictureindex", "-1"}, {"skinrect", R0}};
const Keys kCustom = kControl + kCorners + Keys{{"clientrect", R0}};
const Keys kButtonControl = kCustom + Font() + Zeros({"activefontcolor", "downfontcolor", "disabledfontcolor"}) +
                            Rects({"activeskinrect", "downskinrect", "disabledskinrect"}) +
                            Keys{{"morphing", "0"}, {"morphkind", "mkdefault"}};
const Keys kEdit = kCustom + Rects({"activeskinrect"}) + Font() + Zeros({"disabledfontcolor", "activefontcolor"}) +
                   Rects({"buttonrect", "activebuttonrect", "downbuttonrect", "unenabledbuttonrect"});
const Keys kListBox =
    kCustom + Rects({"itemrect", "activeitemrect", "focusitemrect"}) + Zeros({"itemleftoffset", "itemrightoffset"}) +
    Rects({"itemtextrect"}) + Font() + Zeros({"activefontcolor", "focusfontcolor"}) + Rects({"captionrect"}) +
    Font("caption") +
    Rects({"upbuttonrect", "activeupbuttonrect", "downupbuttonrect", "downbuttonrect", "activedownbuttonrect",
           "downdownbuttonrect", "checkbuttonrect", "activecheckbuttonrect", "downcheckbuttonrect"}) +
    Keys{{"vscrollbarname", "vscrollbar"}, {"hscrollbarname", "hscrollbar"}, {"bothhscrollbarname", "bothhscrollbar"}};
const Keys kUpDownButtons = Rects({"upbuttonrect", "activeupbuttonrect", "downupbuttonrect", "downbuttonrect",
                                   "activedownbuttonrect", "downdownbuttonrect"});
const Keys kFontBg = Font() + Zeros({"bgcolor"});

// Object records.
const Keys kObject = {{"hint", ""},          {"activepictureindex", "-1"}, {"skinrectinapicture", "0"},
                      {"skinrect", R0},      {"activeskinrect", R0},       {"inactiveskinrect", R0},
                      {"morphing", "0"},     {"morphkind", "mkdefault"}};
const Keys kButtonObject = kObject + Rects({"downrect", "disableskinrsect"});
const Keys kStdButton = kButtonObject + Keys{{"command", "cmdefault"}} +
                        Rects({"restorerect", "restoreactiverect", "restoredownrect", "restoreinactiverect"});

struct Kind {
  const char* List;  // "SKINOBJECTS" or "SKINCONTROLS"
  const char* Type;
  Keys Expected;
};

const std::vector<Kind>& Kinds() {
  static const std::vector<Kind> kinds = {
      {"SKINCONTROLS", "panel",
       kCustom + Keys{{"bgpictureindex", "-1"}, {"captionrect", R0}, {"alignment", "tacenter"}} + Font() +
           Rects({"checkimagerect", "uncheckimagerect"})},
      {"SKINCONTROLS", "expanel",
       kCustom + Rects({"rollhskinrect", "rollvskinrect"}) +
           Zeros({"rollleftoffset", "rollrightoffset", "rolltopoffset", "rollbottomoffset"}) +
           Rects({"rollvcaptionrect", "rollhcaptionrect", "closebuttonrect", "closebuttonactiverect",
                  "closebuttondownrect", "hrollbuttonrect", "hrollbuttonactiverect", "hrollbuttondownrect",
                  "hrestorebuttonrect", "hrestorebuttonactiverect", "hrestorebuttondownrect", "vrollbuttonrect",
                  "vrollbuttonactiverect", "vrollbuttondownrect", "vrestorebuttonrect", "vrestorebuttonactiverect",
                  "vrestorebuttondownrect", "captionrect"}) +
           Font()},
      {"SKINCONTROLS", "menubutton", kButtonControl + Rects({"trackbuttonrect"})},
      {"SKINCONTROLS", "button", kButtonControl},
      {"SKINCONTROLS", "checkradio",
       kCustom + Font() + Zeros({"activefontcolor", "unenabledfontcolor", "framefontcolor"}) +
           Rects({"activeskinrect", "checkimagearea", "textarea", "checkimagerect", "uncheckimagerect",
                  "activecheckimagerect", "activeuncheckimagerect", "unenabledcheckimagerect",
                  "unenableduncheckimagerect"}) +
           Keys{{"morphing", "0"}, {"morphkind", "mkdefault"}}},
      {"SKINCONTROLS", "gauge",
       kCustom + Rects({"progressarea", "progressrect"}) + Zeros({"beginoffset", "endoffset", "vertical"}) + Font()},
      {"SKINCONTROLS", "splitter", kCustom},
      {"SKINCONTROLS", "trackbar", kCustom + Rects({"trackarea", "buttonrect", "activebuttonrect"}) + Zeros({"vertical"})},
      {"SKINCONTROLS", "label", kCustom + Font()},
      {"SKINCONTROLS", "stdlabel", kControl + Font() + Keys{{"activefontcolor", "16711680"}}},
      {"SKINCONTROLS", "updown", kCustom + kUpDownButtons},
      {"SKINCONTROLS", "grid",
       kControl + Rects({"fixedcellrect", "selectcellrect", "focuscellrect"}) +
           Zeros({"fixedcellleftoffset", "fixedcellrightoffset"}) + Rects({"fixedcelltextrect"}) +
           Zeros({"cellleftoffset", "cellrightoffset"}) + Rects({"celltextrect"}) + Zeros({"linescolor", "bgcolor"}) +
           Font() + Zeros({"selectfontcolor", "focusfontcolor"}) + Font("fixed")},
      {"SKINCONTROLS", "tab",
       kControl + Rects({"tabrect", "activetabrect", "focustabrect", "mouseintabrect", "clientrect"}) +
           Keys{{"bgpictureindex", "-1"}} + kCorners + Zeros({"tableftoffset", "tabrightoffset"}) +
           Rects({"tabsbgrect"}) + Font() +
           Zeros({"activefontcolor", "focusfontcolor", "mouseinfontcolor"}) + Keys{{"updown", ""}}},
      {"SKINCONTROLS", "mainmenubar",
       kControl + Rects({"itemsrect"}) +
           Keys{{"menubaritem", ""}, {"closebutton", ""}, {"minbutton", ""}, {"maxbutton", ""}, {"sysmenubutton", ""}} +
           Zeros({"trackmarkcolor", "trackmarkactivecolor"})},
      {"SKINCONTROLS", "controlbar", kCustom + Rects({"itemrect"}) + Keys{{"bgpictureindex", "-1"}}},
      {"SKINCONTROLS", "memo", kEdit + Zeros({"bgcolor", "activebgcolor"})},
      {"SKINCONTROLS", "edit", kEdit},
      {"SKINCONTROLS", "checklistbox", kListBox + Rects({"itemcheckrect", "checkimagerect", "uncheckimagerect"})},
      {"SKINCONTROLS", "listbox", kListBox},
      {"SKINCONTROLS", "combobox",
       kCustom + Rects({"itemrect", "focusitemrect"}) + Zeros({"itemleftoffset", "itemrightoffset"}) +
           Rects({"itemtextrect"}) + Font() + Zeros({"focusfontcolor"}) + Keys{{"listboxname", ""}} +
           Rects({"buttonrect", "activebuttonrect", "downbuttonrect", "unenabledbuttonrect"})},
      {"SKINCONTROLS", "scrollbar",
       kCustom + Rects({"trackarea"}) + kUpDownButtons + Rects({"thumbrect", "activethumbrect", "downthumbrect"}) +
           Zeros({"thumboffset1", "thumboffset2"}) + Rects({"glyphrect", "activeglyphrect", "downglyphrect"})},
      {"SKINCONTROLS", "spinedit",
       kCustom + Rects({"activeskinrect"}) + Font() + Zeros({"activefontcolor", "disabledfontcolor"}) + kUpDownButtons},
      {"SKINCONTROLS", "scrollbox", kCustom + Keys{{"bgpictureindex", "-1"}}},
      {"SKINCONTROLS", "treeview", kControl + kFontBg},
      {"SKINCONTROLS", "bevel", kControl + Zeros({"lightcolor", "darkcolor"})},
      {"SKINCONTROLS", "slider",
       kControl + Zeros({"bgcolor"}) + Rects({"hrulerrect", "hthumbrect", "vrulerrect", "vthumbrect"}) +
           Zeros({"edgesize", "pointscolor"})},
      {"SKINCONTROLS", "listview", kControl + kFontBg},
      {"SKINCONTROLS", "richedit", kControl + kFontBg},

      {"SKINOBJECTS", "userobject", Rects({"skinrect"})},
      {"SKINOBJECTS", "button", kButtonObject},
      {"SKINOBJECTS", "stdbutton", kStdButton},
      {"SKINOBJECTS", "mainmenubarbutton", kStdButton},
      {"SKINOBJECTS", "animate",
       kObject + Keys{{"countframes", "1"}, {"cycle", "0"}, {"buttonstyle", "0"}, {"timerinterval", "50"},
                      {"command", "cmdefault"}}},
      {"SKINOBJECTS", "caption",
       kObject + Rects({"textrect"}) + Font() + Zeros({"activefontcolor"}) +
           Keys{{"alignment", "tacenter"}, {"shadow", "0"}} + Zeros({"shadowcolor", "activeshadowcolor"}) +
           Rects({"framerect", "activeframerect", "frametextrect"}) + Zeros({"frameleftoffset", "framerightoffset"})},
      {"SKINOBJECTS", "menuitem",
       kObject + Zeros({"itemleftoffset", "itemrightoffset"}) + Rects({"dividerrect"}) +
           Zeros({"dividerleftoffset", "dividerrightoffset"}) + Rects({"textrect"}) + Font() +
           Zeros({"activefontcolor", "unenabledfontcolor"})},
      {"SKINOBJECTS", "mainmenubaritem",
       kObject + Zeros({"itemleftoffset", "itemrightoffset"}) + Rects({"downrect", "textrect"}) + Font() +
           Zeros({"activefontcolor", "downfontcolor", "unenabledfontcolor"})},
  };
  return kinds;
}

// The global sections of every skin.
const std::vector<std::pair<std::string, Keys>>& GlobalSections() {
  static const std::vector<std::pair<std::string, Keys>> sections = {
      {"VERSION", {{"skinname", ""}, {"skinauthor", ""}, {"authoremail", ""}, {"authorurl", ""}, {"skincomments", ""}}},
      {"PICTURES", {{"picture", ""}, {"inactivepicture", ""}, {"mask", ""}, {"activepicturescount", "0"}}},
      {"FORMINFO", kCorners + Rects({"clientrect"}) + Keys{{"bgpictureindex", "-1"}, {"mdibgpictureindex", "-1"}} +
                       kStretch + Rects({"maskrectarea"}) +
                       Keys{{"hittestlefttoppoint", P0}, {"hittestrighttoppoint", P0}, {"hittestleftbottompoint", P0},
                            {"hittestrightbottompoint", P0}} +
                       Rects({"buttonsrect", "captionrect"}) +
                       Zeros({"buttonsoffset", "buttonsinleft", "mainmenupopupup", "borderwidth",
                              "autorenderinginactiveimage"}) +
                       Keys{{"inactiveeffect", "iebrightness"}}},
      {"POPUPWINDOW", Keys{{"windowpictureindex", "-1"}, {"maskpictureindex", "-1"}} + kCorners +
                          Rects({"itemsrect"}) + Zeros({"scrollmarkercolor", "scrollmarkeractivecolor"}) + kStretch},
      {"HINTWINDOW", Keys{{"windowpictureindex", "-1"}, {"maskpictureindex", "-1"}} + kCorners +
                         Rects({"clientrect"}) + Font() + kStretch},
  };
  return sections;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

// The section as "key=value" lines, keys in lower case.
std::vector<std::string> Lines(const TbsSkinDescription& d, const std::string& section) {
  std::vector<std::string> lines;
  for (const std::string& key : d.Keys(section)) lines.push_back(Lower(key) + "=" + *d.Find(section, key));
  return lines;
}
std::vector<std::string> Lines(const Keys& keys) {
  std::vector<std::string> lines;
  for (const Key& k : keys) lines.push_back(Lower(k.Name) + "=" + k.Default);
  return lines;
}

// A value of the same kind unlike the default, so reading it shows.
std::string Other(const Key& k, int n) {
  const std::string a = std::to_string(n);
  if (k.Name.find("fontstyle") != std::string::npos) return "fsbold,fsunderline";
  if (k.Default == R0) return a + ",2,3,4";
  if (k.Default == P0) return a + ",5";
  if (k.Default == "mkdefault") return "mkpush";
  if (k.Default == "tacenter") return "taleftjustify";
  if (k.Default == "cmdefault") return "cmrollup";
  if (k.Default == "iebrightness") return "ienoise";
  if (k.Default == "0") return "1";  // booleans and integers alike
  if (k.Default == "-1" || k.Default == "14" || k.Default == "1" || k.Default == "50" || k.Default == "16711680")
    return std::to_string(n + 100);
  return "text" + a;
}

void Load(TbsSkinData& data, const std::string& text) {
  skinbytes::Package p;
  p.Text = text;
  const skinbytes::Bytes b = p.Build();
  data.LoadFromPackage(b.data(), b.size());
}

template <class Records>
const auto* Only(const Records& records) {
  return records.size() == 1 ? records.front().get() : nullptr;
}

TEST(RecordKeys, EveryRecordKindReadsAndWritesExactlyTheKeysOfTheTable) {
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(std::string(kind.List) + " type " + kind.Type);
    const std::string entry = "[" + std::string(kind.List) + "]\r\ncount=1\r\n0=r:" + kind.Type + "\r\n";

    // No keys: every field takes the table's default, and writing gives
    // exactly the table's keys in its order.
    TbsSkinData empty;
    Load(empty, entry + "[r]\r\n");
    TbsSkinDescription written;
    if (std::string(kind.List) == "SKINOBJECTS") {
      ASSERT_NE(Only(empty.ObjectRecords), nullptr);
      Only(empty.ObjectRecords)->SaveToDescription(written);
    } else {
      ASSERT_NE(Only(empty.ControlRecords), nullptr);
      Only(empty.ControlRecords)->SaveToDescription(written);
    }
    EXPECT_EQ(Lines(written, "r"), Lines(kind.Expected));

    // Every key of the table given another value is read under that name.
    std::string section = "[r]\r\n";
    std::vector<std::string> expected;
    int n = 1;
    for (const Key& k : kind.Expected) {
      const std::string v = Other(k, n++);
      section += k.Name + "=" + v + "\r\n";
      expected.push_back(Lower(k.Name) + "=" + v);
    }
    TbsSkinData changed;
    Load(changed, entry + section);
    TbsSkinDescription back;
    if (std::string(kind.List) == "SKINOBJECTS") Only(changed.ObjectRecords)->SaveToDescription(back);
    else Only(changed.ControlRecords)->SaveToDescription(back);
    std::vector<std::string> got = Lines(back, "r");
    // Kinds that fix some fields after reading: an animation never morphs,
    // up-down pieces are never stretched.
    if (std::string(kind.Type) == "animate")
      std::replace(expected.begin(), expected.end(), std::string("morphing=1"), std::string("morphing=0"));
    if (std::string(kind.Type) == "updown")
      for (std::string& line : expected)
        for (const char* fixed : {"lefttoppoint=", "righttoppoint=", "leftbottompoint=", "rightbottompoint=", "clientrect="})
          if (line.rfind(fixed, 0) == 0) line = fixed + std::string(line.find("rect") != std::string::npos ? R0 : P0);
    EXPECT_EQ(got, expected);
  }
}

TEST(RecordKeys, TheGlobalSectionsReadAndWriteExactlyTheKeysOfTheTable) {
  TbsSkinData empty;
  Load(empty, "[VERSION]\r\n");
  TbsSkinDescription written;
  empty.SaveToDescription(written);
  for (const auto& [name, keys] : GlobalSections()) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Lines(written, name), Lines(keys));
  }
  // Misspelt or missing readers show as keys that keep their default.
  std::string text;
  for (const auto& [name, keys] : GlobalSections()) {
    if (name == "PICTURES") continue;  // names of pictures the package must hold
    text += "[" + name + "]\r\n";
    int n = 1;
    for (const Key& k : keys) text += k.Name + "=" + Other(k, n++) + "\r\n";
  }
  TbsSkinData changed;
  Load(changed, text);
  TbsSkinDescription back;
  changed.SaveToDescription(back);
  for (const auto& [name, keys] : GlobalSections()) {
    if (name == "PICTURES" || name == "FORMINFO") continue;  // [FORMINFO] is adjusted after reading
    int n = 1;
    for (const Key& k : keys) {
      const std::string* v = back.Find(name, k.Name);
      ASSERT_NE(v, nullptr) << name << " " << k.Name;
      EXPECT_EQ(*v, Other(k, n++)) << name << " " << k.Name;
    }
  }
  // [FORMINFO] keys that no adjustment touches.
  int n = 1;
  for (const Key& k : GlobalSections()[2].second) {
    const std::string expected = Other(k, n++);
    if (k.Default == P0 || k.Name == "clientrect" || k.Name == "maskrectarea") continue;
    EXPECT_EQ(*back.Find("FORMINFO", k.Name), expected) << k.Name;
  }
}

}  // namespace
