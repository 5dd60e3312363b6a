// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsplainchildcolors.h"

#include "framework/tgroupbox.h"
#include "framework/tlabel.h"
#include "skin/controls/tbsskincontrol.h"
#include "skin/controls/tbsskinlinklabel.h"
#include "skin/data/tbsdataskinbevel.h"
#include "skin/data/tbsdataskinstdlabelcontrol.h"
#include "skin/data/tbsskindata.h"

namespace {

template <class Record>
const Record* FindRecord(const TbsSkinData* skin, const char* name) {
  if (!skin || !skin->HasSkin()) return nullptr;
  const int index = skin->FindControlRecord(name);
  if (index < 0) return nullptr;
  return dynamic_cast<const Record*>(skin->ControlRecords[size_t(index)].get());
}

}  // namespace

void TbsPlainChildColors::Keep(TControl* control) {
  for (const TKept& k : FKept)
    if (k.Control == control) return;
  TKept k{control, control->Color(), control->Font().Color(), clNone, clNone, clNone, clNone};
  if (auto* box = qobject_cast<TGroupBox*>(control)) {
    k.FrameLight = box->FrameLightColor();
    k.FrameDark = box->FrameDarkColor();
  }
  if (auto* link = qobject_cast<TbsSkinLinkLabel*>(control)) {
    k.DefaultFontColor = link->DefaultFont().Color();
    k.ActiveColor = link->DefaultActiveFontColor();
  }
  FKept.push_back(k);
}

void TbsPlainChildColors::RestoreAll() {
  for (const TKept& k : FKept) {
    TControl* c = k.Control.data();
    if (!c) continue;
    c->SetColor(k.Color);
    c->Font().SetColor(k.FontColor);
    if (auto* box = qobject_cast<TGroupBox*>(c)) box->SetFrameColors(k.FrameLight, k.FrameDark);
    if (auto* link = qobject_cast<TbsSkinLinkLabel*>(c)) {
      TFont font = link->DefaultFont();
      font.SetColor(k.DefaultFontColor);
      link->SetDefaultFont(font);
      link->SetDefaultActiveFontColor(k.ActiveColor);
    }
    c->update();
  }
  FKept.clear();
}

void TbsPlainChildColors::Apply(QWidget* panel, const TbsSkinData* skin, TColor face, TColor text) {
  // From the controls' own colours every time, so switching skins back and forth leaves nothing behind.
  RestoreAll();
  const auto* frame = FindRecord<TbsDataSkinBevel>(skin, "groupbox");
  const auto* link = FindRecord<TbsDataSkinStdLabelControl>(skin, "linklabel");
  if (!panel || (!frame && !link)) return;
  // Skinned controls draw themselves; only the plain ones below the panel (and in its group boxes) change.
  std::vector<QWidget*> pending;
  for (QObject* o : panel->children())
    if (auto* w = qobject_cast<QWidget*>(o)) pending.push_back(w);
  while (!pending.empty()) {
    QWidget* w = pending.back();
    pending.pop_back();
    if (auto* l = qobject_cast<TbsSkinLinkLabel*>(w)) {
      if (!link || l->SkinData()) continue;
      Keep(l);
      l->Font().SetColor(link->FontColor);
      TFont font = l->DefaultFont();
      font.SetColor(link->FontColor);
      l->SetDefaultFont(font);
      l->SetDefaultActiveFontColor(link->ActiveFontColor);
      l->update();
      continue;
    }
    if (!frame || qobject_cast<TbsSkinControl*>(w)) continue;
    if (auto* box = qobject_cast<TGroupBox*>(w)) {
      Keep(box);
      box->SetColor(face);
      box->Font().SetColor(text);
      box->SetFrameColors(frame->LightColor, frame->DarkColor);
      box->update();
      for (QObject* o : box->children())
        if (auto* child = qobject_cast<QWidget*>(o)) pending.push_back(child);
    } else if (auto* label = qobject_cast<TCustomLabel*>(w)) {
      Keep(label);
      label->SetColor(face);
      label->Font().SetColor(text);
      label->update();
    }
  }
}
