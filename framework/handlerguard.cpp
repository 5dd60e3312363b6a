// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/handlerguard.h"

#include <cstdio>

#include "framework/tapplication.h"

void ReportHandlerException(const std::exception& error) {
  if (TApplication* app = Application()) {
    app->HandleException(error);
    return;
  }
  // No application object (a tool or a test without one): nowhere to show it.
  std::fprintf(stderr, "%s\n", TApplication::ErrorBoxText(error.what()).c_str());
}
