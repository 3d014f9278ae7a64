#include "window_support.h"

#include <dirent.h>
#include <unistd.h>

#include <string_view>

int DescriptorsOn(const std::string& path) {
  DIR* dir = ::opendir("/proc/self/fd");
  if (dir == nullptr) return -1;
  const std::string removed = path + " (deleted)";
  int count = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    const std::string link = std::string("/proc/self/fd/") + entry->d_name;
    char target[4096];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target);
    if (n < 0) continue;
    const std::string_view seen(target, static_cast<std::size_t>(n));
    if (seen == path || seen == removed) ++count;
  }
  ::closedir(dir);
  return count;
}
