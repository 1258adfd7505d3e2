#include "base/text_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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

}  // namespace

bool write_binary_atomic(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path temp = path;
  temp += ".vosk-tmp";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = write_all(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool write_text_atomic(const std::filesystem::path& path, std::string_view text) {
  return write_binary_atomic(path, to_disk_mode(text));
}

}  // namespace vosk::textfile
