#include "io/Utf8File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <exception>
#include <system_error>

#include "model/Errors.h"
#include "model/TextFormat.h"
#include "model/Utf8.h"

namespace quelmora {

namespace {

[[noreturn]] void RaiseFileError(TErrorKind kind, const char* action, const std::string& path,
                                 int err) {
  throw Exception(kind, "%s \"%s\": %s",
                  {action, path, std::error_code(err, std::generic_category()).message()})
      .InFile(path);
}

// Closes the descriptor and removes the half-written file unless released.
class TTempFile {
 public:
  TTempFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;
  ~TTempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  int Fd() const { return fd_; }
  const std::string& Path() const { return path_; }
  // Closes the descriptor; returns the errno of a failed close, or 0.
  int Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }
  void Keep() { path_.clear(); }

 private:
  int fd_;
  std::string path_;
};

// Writes everything; returns 0 or the errno of the failed write.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// The file a symbolic link leads to, so that replacing keeps the link.
std::string ResolveTarget(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string result(real);
  std::free(real);
  return result;
}

std::atomic<unsigned> tempCounter{0};

void WriteReplacing(const std::string& path, std::string_view head, std::string_view body) {
  const std::string target = ResolveTarget(path);
  // Only a regular file is replaced: renaming over a device or a pipe (say
  // /dev/null, or settings.ini made a pipe) would swap out the system's own.
  if (struct stat existing; ::stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
    if (S_ISDIR(existing.st_mode))
      RaiseFileError(TErrorKind::FileCreate, "Cannot replace file", path, EISDIR);
    throw Exception(TErrorKind::FileCreate, "Cannot replace file \"%s\": not a regular file",
                    {path})
        .InFile(path);
  }
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);

  int fd = -1;
  std::string tempPath;
  for (int attempt = 0; fd < 0; ++attempt) {
    tempPath = Format("%s%s.%s.tmp%ld-%u", folder.c_str(), slash == std::string::npos ? "/" : "",
                      base.c_str(), static_cast<long>(::getpid()), tempCounter.fetch_add(1));
    fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt >= 100))
      RaiseFileError(TErrorKind::FileCreate, "Cannot create file", path, errno);
  }
  TTempFile temp(fd, tempPath);

  // A replaced file keeps its permissions; a new one gets the umask's.
  struct stat st;
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
    (void)::fchmod(fd, st.st_mode & 07777);

  int err = WriteAll(fd, head);
  if (err == 0) err = WriteAll(fd, body);
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (err == 0) err = temp.Close();
  if (err != 0) RaiseFileError(TErrorKind::FileReadWrite, "Cannot write file", path, err);

  if (::rename(temp.Path().c_str(), target.c_str()) != 0)
    RaiseFileError(TErrorKind::FileCreate, "Cannot replace file", path, errno);
  temp.Keep();

  // Make the rename itself durable; the new content is already in place.
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    (void)::fsync(dirFd);
    ::close(dirFd);
  }
}

}  // namespace

void WriteFileReplacing(const std::string& Path, std::string_view Bytes) {
  WriteReplacing(Path, std::string_view(), Bytes);
}

void WriteUtf8TextFile(const std::string& Path, std::string_view Text) {
  WriteReplacing(Path, Utf8Bom, Text);
}

std::string ReadUtf8TextFile(const std::string& Path) {
  // Opened without waiting, so that a named pipe without a writer reads as
  // empty instead of blocking for ever; reads then wait as usual.
  const int fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) RaiseFileError(TErrorKind::FileOpen, "Cannot open file", Path, errno);
  (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::string bytes;
  // Room for the whole file at once: growing by doubling would need up to
  // three times its size for a moment.
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    try {
      bytes.reserve(static_cast<size_t>(st.st_size));
    } catch (const std::exception&) {
      ::close(fd);
      RaiseFileError(TErrorKind::FileReadWrite, "Cannot read file", Path, ENOMEM);
    }
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      RaiseFileError(TErrorKind::FileReadWrite, "Cannot read file", Path, err);
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);

  const size_t skip = std::string_view(bytes).starts_with(Utf8Bom) ? Utf8Bom.size() : 0;
  const size_t bad = FindInvalidUtf8(std::string_view(bytes).substr(skip));
  if (bad != std::string_view::npos)
    throw Exception(TErrorKind::Encoding, "File \"%s\" is not valid UTF-8 (byte %zu)",
                    {Path, bad + skip})
        .InFile(Path);
  bytes.erase(0, skip);
  return bytes;
}

}  // namespace quelmora
