// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mounts of this process, read from /proc/self/mountinfo and read again
// only when the kernel says the table changed (so asking costs one poll).
// Reading the table never touches the mounted file systems themselves, so
// it answers even while a mount's server is gone.

#include <optional>
#include <string>
#include <vector>

struct TMount {
  std::string Point;  // the mount point, without a trailing "/" except "/" itself
  std::string Type;   // the file-system type, "fuse.sshfs", "nfs4", "ext4"...
};

// The mounts of /proc/self/mountinfo text, in its order.
std::vector<TMount> MountsFromMountInfo(const std::string& mountInfo);

// One mountinfo line cut into its fields; false for a line too short to
// name a mount point and a type. `type` is the field after the "-".
bool MountInfoFields(const std::string& line, std::vector<std::string>& fields, std::string& type);

// Whether a file system of `type` may leave a read waiting on something
// other than this machine's own disks and memory: network and FUSE file
// systems, and any type this program does not know.
bool MountTypeMayNotAnswer(const std::string& type);

// The mount that holds `path`, found by spelling alone (symbolic links are
// not followed: following one could itself wait on a mount).
TMount MountHolding(const std::string& path);

// The first mount that may not answer which `path` leads onto, following
// its symbolic links as the kernel would (each read with readlink on a
// file system already known to answer); none when the whole path stays on
// local ones. A path of too many links counts as one that may not answer.
std::optional<TMount> MountThatMayNotAnswerOn(const std::string& path);

// Whether `path` is itself the mount point of a file system that may not answer.
bool IsMountPointThatMayNotAnswer(const std::string& path);

// The names of the mount points right inside `folder` whose file systems
// may not answer.
std::vector<std::string> MountNamesThatMayNotAnswerIn(const std::string& folder);

// Unescapes a path field of mountinfo (space, tab, newline and backslash come as \ooo).
std::string UnescapeMountField(const std::string& field);
