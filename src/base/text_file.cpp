#include "base/text_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vosk::textfile {

std::optional<std::string> read_binary(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string data;
  char buffer[1 << 16];
  while (true) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    data.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return data;
}

std::optional<std::string> read_text(const std::filesystem::path& path) {
  auto raw = read_binary(path);
  if (!raw) return std::nullopt;
  return to_text_mode(*raw);
}

std::string to_text_mode(std::string_view on_disk) {
  std::string out;
  out.reserve(on_disk.size());
  for (std::size_t i = 0; i < on_disk.size(); ++i) {
    char c = on_disk[i];
    if (c == '\r' && i + 1 < on_disk.size() && on_disk[i + 1] == '\n') continue;
    out.push_back(c);
  }
  return out;
}

std::string to_disk_mode(std::string_view in_memory) {
  std::string out;
  out.reserve(in_memory.size() + in_memory.size() / 16);
  for (char c : in_memory) {
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

namespace {

bool write_all(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The file a path names once symbolic links are followed, even when the
// last one dangles: saving through a link replaces what it points at and
// keeps the link.
std::filesystem::path link_target(std::filesystem::path path) {
  std::error_code error;
  for (int hops = 0; hops < 40 && std::filesystem::is_symlink(path, error); ++hops) {
    std::filesystem::path to = std::filesystem::read_symlink(path, error);
    if (error) break;
    path = to.is_absolute() ? to : path.parent_path() / to;
  }
  return path;
}

// Makes the rename itself survive a crash. A file system that cannot sync
// a folder is no failure: the file's bytes are already on disk.
void sync_folder(const std::filesystem::path& file) {
  std::filesystem::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  [[maybe_unused]] int synced = ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool write_binary_atomic(const std::filesystem::path& requested, std::string_view bytes,
                         Links links) {
  const std::filesystem::path path = links == Links::Follow ? link_target(requested) : requested;
  // A name no other save uses at the same time, beside the target so that
  // the rename stays within one file system.
  static std::atomic<unsigned> saves{0};
  // The temporary name is short and independent of the target's, so any
  // name that can be opened can also be saved.
  std::filesystem::path temp = path.parent_path() / (".vosk-tmp-" + std::to_string(::getpid()) + "-" +
                                                     std::to_string(saves++));
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  // The replaced file keeps its permissions; a new one gets the umask's.
  // The bytes matter more than the mode, so a failure here stops nothing.
  struct stat old {};
  if (::lstat(path.c_str(), &old) == 0 && !S_ISLNK(old.st_mode)) {
    [[maybe_unused]] int kept = ::fchmod(fd, old.st_mode & 07777);
  }
  bool ok = write_all(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  sync_folder(path);
  return true;
}

bool write_text_atomic(const std::filesystem::path& path, std::string_view text, Links links) {
  return write_binary_atomic(path, to_disk_mode(text), links);
}

}  // namespace vosk::textfile
