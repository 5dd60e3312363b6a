// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/localetexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdlib>
#include <string_view>

#include "skin/data/tbsresourcestrdata.h"

namespace {

// The Chinese character set of the table: what the skinned parts report as
// the charset of their text while it is attached.
constexpr int kGb2312CharSet = 134;

// The accelerator letters stay those of the built-in texts, in brackets after
// the word, as Chinese menus write them.
constexpr std::pair<const char*, const char*> kChinese[] = {
    {"MI_MINCAPTION", "最小化(&N)"},
    {"MI_MAXCAPTION", "最大化(&X)"},
    {"MI_CLOSECAPTION", "关闭(&C)"},
    {"MI_RESTORECAPTION", "还原(&R)"},
    {"MI_MINTOTRAYCAPTION", "最小化到托盘(&T)"},
    {"MI_ROLLUPCAPTION", "卷起(&L)"},
    {"MINBUTTON_HINT", "最小化"},
    {"MAXBUTTON_HINT", "最大化"},
    {"CLOSEBUTTON_HINT", "关闭"},
    {"TRAYBUTTON_HINT", "最小化到托盘"},
    {"ROLLUPBUTTON_HINT", "卷起"},
    {"MENUBUTTON_HINT", "系统菜单"},
    {"EDIT_UNDO", "撤销"},
    {"EDIT_COPY", "复制"},
    {"EDIT_CUT", "剪切"},
    {"EDIT_PASTE", "粘贴"},
    {"EDIT_DELETE", "删除"},
    {"EDIT_SELECTALL", "全选"},
};

}  // namespace

bool ChineseMessagesWanted() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return std::string_view(value).starts_with("zh");
  }
  return false;
}

TbsResourceStrData* MakeChineseTexts(QObject* owner) {
  auto* table = new TbsResourceStrData(owner);
  table->SetName("ChineseTexts");
  // Names the skinned parts of this program never ask for keep their English.
  std::vector<std::string> lines = TbsResourceStrData::InitialStrings().Items();
  for (std::string& line : lines) {
    const std::string name = line.substr(0, line.find('='));
    for (const auto& [key, text] : kChinese)
      if (name == key) line = name + "=" + text;
  }
  table->SetResStrings(TStringList(std::move(lines)));
  table->SetCharSet(kGb2312CharSet);
  return table;
}

QTranslator* InstallQtTranslations(QCoreApplication& application) {
  if (!ChineseMessagesWanted()) return nullptr;
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}
