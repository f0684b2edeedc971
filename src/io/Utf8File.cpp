#include "io/Utf8File.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <new>
#include <system_error>

#include "model/ErrorTexts.h"
#include "model/Errors.h"
#include "model/TextFormat.h"
#include "model/Utf8.h"

namespace quelmora {

namespace {

// MessageId takes the path and the system's reason.
[[noreturn]] void RaiseFileError(TErrorKind kind, const char* messageId, const std::string& path,
                                 int err) {
  throw Exception(kind, messageId, {path, std::error_code(err, std::generic_category()).message()})
      .InFile(path);
}

// A descriptor closed on every path out.
class TFd {
 public:
  explicit TFd(int fd) : FFd(fd) {}
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  ~TFd() {
    if (FFd >= 0) ::close(FFd);
  }
  int Get() const { return FFd; }
  // Closes now; returns the errno of a failed close, or 0.
  int Close() {
    const int fd = FFd;
    FFd = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int FFd;
};

// Temporaries a signal handler removes: fixed slots, so that the handler
// needs neither locks nor allocation. A save that finds no free slot still
// works; its temporary is then cleared by a later save.
enum : int { kSlotFree, kSlotFilling, kSlotSet };
struct TTempSlot {
  std::atomic<int> State{kSlotFree};
  char Path[PATH_MAX];
};
TTempSlot tempSlots[32];

int ClaimSlot(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  for (int i = 0; i < static_cast<int>(std::size(tempSlots)); ++i) {
    int expected = kSlotFree;
    if (!tempSlots[i].State.compare_exchange_strong(expected, kSlotFilling)) continue;
    std::memcpy(tempSlots[i].Path, path.c_str(), path.size() + 1);
    tempSlots[i].State.store(kSlotSet);
    return i;
  }
  return -1;
}

void ReleaseSlot(int slot) {
  if (slot >= 0) tempSlots[slot].State.store(kSlotFree);
}

extern "C" void RemoveTemporariesAndDie(int signal) {
  const int savedErrno = errno;
  for (TTempSlot& slot : tempSlots)
    if (slot.State.load() == kSlotSet) ::unlink(slot.Path);
  ::signal(signal, SIG_DFL);
  ::raise(signal);  // delivered once the handler returns
  errno = savedErrno;
}

// The half-written file: closed and removed unless kept.
class TTempFile {
 public:
  TTempFile(int fd, std::string path) : FFd(fd), FPath(std::move(path)), FSlot(ClaimSlot(FPath)) {}
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;
  ~TTempFile() {
    if (!FPath.empty()) ::unlink(FPath.c_str());
    ReleaseSlot(FSlot);
  }
  int Fd() const { return FFd.Get(); }
  const std::string& Path() const { return FPath; }
  int Close() { return FFd.Close(); }
  void Keep() {
    FPath.clear();
    ReleaseSlot(FSlot);
    FSlot = -1;
  }

 private:
  TFd FFd;
  std::string FPath;
  int FSlot;
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

// The file at the end of a chain of symbolic links, so that replacing keeps
// the links; a link whose target does not exist yet leads to that name.
std::string ResolveTarget(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(current.c_str(), buffer, sizeof buffer);
    if (n < 0) RaiseFileError(TErrorKind::FileCreate, SCannotReplaceFileBecause, path, errno);
    if (n == sizeof buffer)
      RaiseFileError(TErrorKind::FileCreate, SCannotReplaceFileBecause, path, ENAMETOOLONG);
    std::string next(buffer, static_cast<size_t>(n));
    const size_t slash = current.rfind('/');
    if (next.front() != '/' && slash != std::string::npos)
      next = current.substr(0, slash + 1) + next;
    current = std::move(next);
  }
  RaiseFileError(TErrorKind::FileCreate, SCannotReplaceFileBecause, path, ELOOP);
}

// Renaming needs only the folder's permission, so a read-only file would be
// replaced silently. Root may write anything; for root only a file without
// any write bit counts as read-only.
bool MayReplace(const std::string& target, const struct stat& st) {
  if (::geteuid() != 0) return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

uint32_t NameHash(std::string_view name) {
  uint32_t hash = 2166136261u;
  for (const char c : name)
    hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash;
}

constexpr std::string_view kTempPrefix = ".quelmora-";

// Temporaries of the same target left by processes that no longer run (a
// kill, a power cut) are removed; those of running processes stay.
void RemoveStaleTemporaries(const std::string& folder, std::string_view base) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const std::string prefix = Format("%s%08x-", std::string(kTempPrefix).c_str(), NameHash(base));
  const long self = static_cast<long>(::getpid());
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix) || !name.ends_with(".tmp")) continue;
    long pid = 0;
    const char* digits = name.data() + prefix.size();
    const auto [end, ec] = std::from_chars(digits, name.data() + name.size(), pid);
    if (ec != std::errc() || *end != '-' || pid <= 0 || pid == self) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    const std::string stale = folder + std::string(name);
    struct stat st;
    if (::lstat(stale.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(stale.c_str());
  }
  ::closedir(dir);
}

std::atomic<unsigned> tempCounter{0};
thread_local TReplaceTogether* openGroup = nullptr;

}  // namespace

// A file written in full beside its target, waiting to be renamed over it.
struct TReplaceTogether::TStaged {
  std::string Path;  // as the caller named it, for messages
  std::string Target;
  std::string Folder;
  std::unique_ptr<TTempFile> Temp;

  void Commit() {
    if (::rename(Temp->Path().c_str(), Target.c_str()) != 0)
      RaiseFileError(TErrorKind::FileCreate, SCannotReplaceFileBecause, Path, errno);
    Temp->Keep();
    // Make the rename itself durable; the new content is already in place.
    TFd dirFd(::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.Get() >= 0) (void)::fsync(dirFd.Get());
  }
};

namespace {

std::unique_ptr<TReplaceTogether::TStaged> Stage(const std::string& path,
                                                 const TByteSource& produce) {
  auto staged = std::make_unique<TReplaceTogether::TStaged>();
  staged->Path = path;
  staged->Target = ResolveTarget(path);
  const std::string& target = staged->Target;
  // Only a regular file is replaced: renaming over a device or a pipe (say
  // /dev/null, or settings.ini made a pipe) would swap out the system's own.
  struct stat existing;
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) {
    if (S_ISDIR(existing.st_mode))
      RaiseFileError(TErrorKind::FileCreate, SCannotReplaceFileBecause, path, EISDIR);
    throw Exception(TErrorKind::FileCreate, SCannotReplaceIrregularFile, {path}).InFile(path);
  }
  if (exists && !MayReplace(target, existing))
    RaiseFileError(TErrorKind::FileCreate, SCannotReplaceFileBecause, path, EACCES);
  const size_t slash = target.rfind('/');
  staged->Folder = slash == std::string::npos ? "./" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  RemoveStaleTemporaries(staged->Folder, base);

  int fd = -1;
  std::string tempPath;
  for (int attempt = 0; fd < 0; ++attempt) {
    tempPath = staged->Folder +
               TemporaryFileName(base, static_cast<long>(::getpid()), tempCounter.fetch_add(1));
    fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt >= 100))
      RaiseFileError(TErrorKind::FileCreate, SCannotCreateFileBecause, path, errno);
  }
  staged->Temp = std::make_unique<TTempFile>(fd, tempPath);
  TTempFile& temp = *staged->Temp;

  // A replaced file keeps its permissions; a new one gets the umask's.
  if (exists) (void)::fchmod(fd, existing.st_mode & 07777);

  produce([&](std::string_view bytes) {
    if (const int err = WriteAll(fd, bytes))
      RaiseFileError(TErrorKind::FileReadWrite, SCannotWriteFileBecause, path, err);
  });
  int err = ::fsync(fd) != 0 ? errno : 0;
  if (err == 0) err = temp.Close();
  if (err != 0) RaiseFileError(TErrorKind::FileReadWrite, SCannotWriteFileBecause, path, err);
  return staged;
}

void WriteReplacing(const std::string& path, const TByteSource& produce) {
  std::unique_ptr<TReplaceTogether::TStaged> staged = Stage(path, produce);
  if (openGroup)
    openGroup->Hold(std::move(staged));
  else
    staged->Commit();
}

}  // namespace

TReplaceTogether::TReplaceTogether() : FOuter(openGroup) {
  openGroup = this;
}

TReplaceTogether::~TReplaceTogether() {
  openGroup = FOuter;
}

void TReplaceTogether::Hold(std::unique_ptr<TStaged> Staged) {
  FStaged.push_back(std::move(Staged));
}

void TReplaceTogether::Commit() {
  for (const std::unique_ptr<TStaged>& staged : FStaged)
    staged->Commit();
  FStaged.clear();
}

void RemoveTemporariesOnSignals() {
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndDie;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}

std::string TemporaryFileName(std::string_view TargetName, long Pid, unsigned Counter) {
  return Format("%s%08x-%ld-%u.tmp", std::string(kTempPrefix).c_str(), NameHash(TargetName), Pid,
                Counter);
}

void WriteFileReplacing(const std::string& Path, std::string_view Bytes) {
  WriteReplacing(Path, [&](const TByteSink& write) { write(Bytes); });
}

void WriteUtf8TextFile(const std::string& Path, std::string_view Text) {
  WriteUtf8TextFileInPieces(Path, [&](const TByteSink& write) { write(Text); });
}

void WriteUtf8TextFileInPieces(const std::string& Path, const TByteSource& Produce) {
  WriteReplacing(Path, [&](const TByteSink& write) {
    write(Utf8Bom);
    Produce(write);
  });
}

std::string ReadUtf8TextFile(const std::string& Path, uint64_t MaxBytes) {
  // Opened without waiting, so that a named pipe is refused instead of
  // blocking for ever.
  TFd fd(::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.Get() < 0) RaiseFileError(TErrorKind::FileOpen, SCannotOpenFileBecause, Path, errno);
  struct stat st;
  if (::fstat(fd.Get(), &st) != 0)
    RaiseFileError(TErrorKind::FileOpen, SCannotOpenFileBecause, Path, errno);
  // A device or a pipe may never end (/dev/zero, /dev/urandom).
  if (S_ISDIR(st.st_mode))
    RaiseFileError(TErrorKind::FileOpen, SCannotOpenFileBecause, Path, EISDIR);
  if (!S_ISREG(st.st_mode))
    throw Exception(TErrorKind::FileOpen, SCannotOpenIrregularFile, {Path}).InFile(Path);
  const auto raiseTooLarge = [&] {
    const bool megabytes = MaxBytes % (1 << 20) == 0;
    throw Exception(TErrorKind::FileOpen, SFileLargerThan,
                    {Path, static_cast<unsigned long long>(megabytes ? MaxBytes >> 20 : MaxBytes),
                     TFormatArg::Key(megabytes ? SMegabytes : SBytes)})
        .InFile(Path);
  };
  if (static_cast<uint64_t>(st.st_size) > MaxBytes) raiseTooLarge();

  std::string bytes;
  try {
    // Room for the whole file at once: growing by doubling would need up to
    // three times its size for a moment.
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        RaiseFileError(TErrorKind::FileReadWrite, SCannotReadFileBecause, Path, errno);
      }
      // The file may grow while it is read.
      if (bytes.size() + static_cast<size_t>(n) > MaxBytes) raiseTooLarge();
      bytes.append(buffer, static_cast<size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    RaiseFileError(TErrorKind::FileReadWrite, SCannotReadFileBecause, Path, ENOMEM);
  } catch (const std::length_error&) {
    RaiseFileError(TErrorKind::FileReadWrite, SCannotReadFileBecause, Path, ENOMEM);
  }
  fd.Close();

  const size_t skip = std::string_view(bytes).starts_with(Utf8Bom) ? Utf8Bom.size() : 0;
  const size_t bad = FindInvalidUtf8(std::string_view(bytes).substr(skip));
  if (bad != std::string_view::npos)
    throw Exception(TErrorKind::Encoding, SFileNotUtf8, {Path, bad + skip})
        .InFile(Path)
        .AtByte(static_cast<int64_t>(bad + skip));
  bytes.erase(0, skip);
  return bytes;
}

double FileMegabytes(const std::string& Path) {
  struct stat st;
  return ::stat(Path.c_str(), &st) == 0 ? static_cast<double>(st.st_size) / (1 << 20) : 0.0;
}

}  // namespace quelmora
