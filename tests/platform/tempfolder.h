// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A real temporary folder for file tests, and a byte-exact snapshot of what
// it holds afterwards.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

class TempFolder {
public:
  TempFolder() : TempFolder(QTemporaryDir()) {}
  // templatePath as for QTemporaryDir, e.g. "/tmp/name-XXXXXX".
  explicit TempFolder(const QString& templatePath) : TempFolder(QTemporaryDir(templatePath)) {}

  ~TempFolder() { RemoveTree(FPath.substr(0, FPath.size() - 1)); }

  // Ends in exactly one "/".
  const std::string& Path() const { return FPath; }

  void WriteFile(const std::string& name, const std::string& bytes) const {
    const int fd = open((FPath + name).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + name);
    const bool ok = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(fd);
    if (!ok) throw std::runtime_error("cannot write " + name);
  }

  void MakeDir(const std::string& name) const {
    if (mkdir((FPath + name).c_str(), 0755) != 0) throw std::runtime_error("cannot mkdir " + name);
  }

  void MakeLink(const std::string& name, const std::string& target) const {
    if (symlink(target.c_str(), (FPath + name).c_str()) != 0)
      throw std::runtime_error("cannot link " + name);
  }

  // name -> "file:" + bytes, "link:" + target, or "dir".
  std::map<std::string, std::string> Contents() const { return ContentsOf(FPath); }

  static std::map<std::string, std::string> ContentsOf(const std::string& folder) {
    std::map<std::string, std::string> result;
    DIR* dir = opendir(folder.c_str());
    if (!dir) throw std::runtime_error("cannot read " + folder);
    while (const dirent* e = readdir(dir)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      const std::string path = folder + name;
      struct stat st;
      if (lstat(path.c_str(), &st) != 0) continue;
      if (S_ISLNK(st.st_mode)) {
        char buf[4096];
        const ssize_t n = readlink(path.c_str(), buf, sizeof buf);
        result[name] = "link:" + std::string(buf, n > 0 ? n : 0);
      } else if (S_ISDIR(st.st_mode)) {
        result[name] = "dir";
      } else {
        result[name] = "file:" + ReadAll(path);
      }
    }
    closedir(dir);
    return result;
  }

  static std::string ReadAll(const std::string& path) {
    std::string bytes;
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return "<unreadable>";
    char buf[4096];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0) bytes.append(buf, n);
    close(fd);
    return bytes;
  }

private:
  explicit TempFolder(QTemporaryDir&& dir)
      : FDir(std::move(dir)), FPath(QFile::encodeName(FDir.path()).toStdString() + "/") {
    if (!FDir.isValid()) throw std::runtime_error("no temporary folder");
    // QTemporaryDir cannot remove names that are not valid UTF-8; RemoveTree can.
    FDir.setAutoRemove(false);
  }

  // Removes the folder and everything in it, by bytes.
  static void RemoveTree(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) return;
    if (S_ISDIR(st.st_mode)) {
      chmod(path.c_str(), 0700);  // a test may have left it read-only
      if (DIR* dir = opendir(path.c_str())) {
        while (const dirent* e = readdir(dir)) {
          const std::string name = e->d_name;
          if (name != "." && name != "..") RemoveTree(path + "/" + name);
        }
        closedir(dir);
      }
      rmdir(path.c_str());
    } else {
      unlink(path.c_str());
    }
  }

  QTemporaryDir FDir;
  std::string FPath;
};
