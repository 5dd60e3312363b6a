// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window speaks Chinese; so do the parts that come with the skin engine
// (the system menu, the caption buttons' hints, the fields' context menu) and
// Qt's own dialogs, but only for a user whose messages locale is Chinese.
// Everyone else keeps the engine's built-in English texts as they are.

#include <string>

class QCoreApplication;
class TbsResourceStrData;
class QObject;

// True when the locale for messages is Chinese: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty starts with "zh". Read from
// the environment at each call.
bool ChineseMessagesWanted();

// A text table with a Chinese text for every name the skinned parts ask for,
// owned by `owner`.
TbsResourceStrData* MakeChineseTexts(QObject* owner);

// Loads Qt's Chinese translations for its standard dialogs (so a message
// box's button reads "确定") when ChineseMessagesWanted(). The installed
// translator, owned by the application; null when none was wanted or none
// could be found (the dialogs then stay English).
QTranslator* InstallQtTranslations(QCoreApplication& application);
