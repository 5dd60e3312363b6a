// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsresourcestrdata.h"

#include <utility>

namespace {

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The first eighteen are the texts of the frame's menu and buttons and of the
// edit's menu; the rest serve dialogs and views this program does not have.
const std::pair<const char*, const char*> kTexts[] = {
    {"MI_MINCAPTION", "Mi&nimize"},
    {"MI_MAXCAPTION", "Ma&ximize"},
    {"MI_CLOSECAPTION", "&Close"},
    {"MI_RESTORECAPTION", "&Restore"},
    {"MI_MINTOTRAYCAPTION", "Minimize to &Tray"},
    {"MI_ROLLUPCAPTION", "Ro&llUp"},
    {"MINBUTTON_HINT", "Minimize"},
    {"MAXBUTTON_HINT", "Maximize"},
    {"CLOSEBUTTON_HINT", "Close"},
    {"TRAYBUTTON_HINT", "Minimize to Tray"},
    {"ROLLUPBUTTON_HINT", "Roll Up"},
    {"MENUBUTTON_HINT", "System menu"},
    {"EDIT_UNDO", "Undo"},
    {"EDIT_COPY", "Copy"},
    {"EDIT_CUT", "Cut"},
    {"EDIT_PASTE", "Paste"},
    {"EDIT_DELETE", "Delete"},
    {"EDIT_SELECTALL", "Select All"},
    {"MSG_BTN_YES", "&Yes"},
    {"MSG_BTN_NO", "&No"},
    {"MSG_BTN_OK", "OK"},
    {"MSG_BTN_CANCEL", "Cancel"},
    {"MSG_BTN_ABORT", "&Abort"},
    {"MSG_BTN_RETRY", "&Retry"},
    {"MSG_BTN_IGNORE", "&Ignore"},
    {"MSG_BTN_ALL", "&All"},
    {"MSG_BTN_NOTOALL", "N&o to All"},
    {"MSG_BTN_YESTOALL", "Yes to &All"},
    {"MSG_BTN_HELP", "&Help"},
    {"MSG_BTN_OPEN", "&Open"},
    {"MSG_BTN_SAVE", "&Save"},
    {"MSG_BTN_BACK_HINT", "Go to the last folder visited"},
    {"MSG_BTN_UP_HINT", "Up one level"},
    {"MSG_BTN_NEWFOLDER_HINT", "Create new folder"},
    {"MSG_BTN_VIEWMENU_HINT", "View menu"},
    {"MSG_BTN_STRETCH_HINT", "Stretch picture"},
    {"MSG_FILENAME", "File name:"},
    {"MSG_FILETYPE", "File type:"},
    {"MSG_NEWFOLDER", "New folder"},
    {"MSG_LV_DETAILS", "Details"},
    {"MSG_LV_ICON", "Large icons"},
    {"MSG_LV_SMALLICON", "Small icons"},
    {"MSG_LV_LIST", "List"},
    {"MSG_PREVIEWSKIN", "Preview"},
    {"MSG_PREVIEWBUTTON", "Button"},
    {"MSG_CAP_WARNING", "Warning"},
    {"MSG_CAP_ERROR", "Error"},
    {"MSG_CAP_INFORMATION", "Information"},
    {"MSG_CAP_CONFIRM", "Confirm"},
    {"CALC_CAP", "Calculator"},
    {"ERROR", "Error"},
    {"COLORGRID_CAP", "Basic colors"},
    {"CUSTOMCOLORGRID_CAP", "Custom colors"},
    {"ADDCUSTOMCOLORBUTTON_CAP", "Add to Custom Colors"},
    {"FONTDLG_COLOR", "Color:"},
    {"FONTDLG_NAME", "Name:"},
    {"FONTDLG_SIZE", "Size:"},
    {"FONTDLG_HEIGHT", "Height:"},
    {"FONTDLG_EXAMPLE", "Example:"},
    {"FONTDLG_STYLE", "Style:"},
    {"FONTDLG_SCRIPT", "Script:"},
    {"DB_DELETE_QUESTION", "Delete record?"},
    {"DB_MULTIPLEDELETE_QUESTION", "Delete all selected records?"},
    {"NODISKINDRIVE", "There is no disk in the drive or the drive is not ready"},
    {"NOVALIDDRIVEID", "Not a valid drive letter"},
    {"FLV_NAME", "Name"},
    {"FLV_SIZE", "Size"},
    {"FLV_TYPE", "Type"},
    {"FLV_LOOKIN", "Look in:"},
    {"FLV_MODIFIED", "Modified"},
    {"FLV_ATTRIBUTES", "Attributes"},
    {"FLV_DISKSIZE", "Disk size"},
    {"FLV_FREESPACE", "Free space"},
};

}  // namespace

TbsResourceStrData::TbsResourceStrData(QObject* owner) : TComponent(owner), FResStrings(InitialStrings()) {}

void TbsResourceStrData::SetCharSet(int value) {
  if (FCharSet == value) return;
  FCharSet = value;
}

std::string TbsResourceStrData::LookupText(const std::string& name) const {
  for (const std::string& line : FResStrings.Items()) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos && SameText(std::string_view(line).substr(0, eq), name)) return line.substr(eq + 1);
  }
  return {};
}

std::string TbsResourceStrData::BuiltInText(const std::string& name) {
  for (const auto& [key, text] : kTexts)
    if (name == key) return text;
  return {};
}

TStringList TbsResourceStrData::InitialStrings() {
  TStringList lines;
  for (const auto& [key, text] : kTexts) lines.Add(std::string(key) + "=" + text);
  return lines;
}
