// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/userdirs.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "platform/startfile.h"

namespace {
bool IsDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string StripTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}
}  // namespace

std::string HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home && *home) return StripTrailingSlashes(home);
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return StripTrailingSlashes(pw->pw_dir);
  return "/";
}

std::string XdgUserDirectory(const std::string& key, const std::string& fallback) {
  const std::string home = HomeDirectory();
  std::string config = home + "/.config";
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && xdg[0] == '/') config = xdg;
  std::string text;
  ReadStartFile(config + "/user-dirs.dirs", text);
  std::istringstream in(text);
  std::string line, value;
  // Lines look like: XDG_DESKTOP_DIR="$HOME/Desktop"; the last one counts.
  while (std::getline(in, line)) {
    if (line.rfind(key + "=", 0) != 0) continue;
    std::string v = line.substr(key.size() + 1);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    if (v.rfind("$HOME", 0) == 0) v = home + v.substr(5);
    else if (v.empty() || v[0] != '/') continue;
    value = v;
  }
  if (value.empty()) value = home + "/" + fallback;
  return StripTrailingSlashes(value);
}

std::string DesktopDirectory() {
  const std::string desktop = XdgUserDirectory("XDG_DESKTOP_DIR", "Desktop");
  if (!IsDirectory(desktop)) return std::string();
  struct stat d {}, h {};
  // The same folder under another spelling ("$HOME/.", a link to HOME) is HOME too.
  if (stat(desktop.c_str(), &d) == 0 && stat(HomeDirectory().c_str(), &h) == 0 &&
      d.st_dev == h.st_dev && d.st_ino == h.st_ino)
    return std::string();
  return desktop;
}
