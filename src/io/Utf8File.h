#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quelmora {

// The byte-order mark that starts every text file the program writes.
inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// The largest files read whole into memory: a project or a language file, and
// a product CSV file (which the importer streams through twice).
inline constexpr uint64_t MaxTextFileBytes = uint64_t{256} << 20;
inline constexpr uint64_t MaxCsvFileBytes = uint64_t{1} << 30;

// Replaces the whole file at Path with Bytes, or leaves it as it was: the
// bytes go to a new file in the same folder, which is synced and renamed over
// the target. A symbolic link is written through to its target (created if
// missing), not replaced; a link loop, a target that is not a regular file or
// a file the user may not write is refused. Raises TErrorKind::FileCreate or
// TErrorKind::FileReadWrite naming Path and the reason.
void WriteFileReplacing(const std::string& Path, std::string_view Bytes);

// The byte-order mark, then Text (already UTF-8), written as WriteFileReplacing does.
void WriteUtf8TextFile(const std::string& Path, std::string_view Text);

// The same for a text too large to hold whole: Produce passes it to the sink
// piece by piece, each piece going to the file at once. Whatever Produce
// raises leaves the target as it was.
using TByteSink = std::function<void(std::string_view Bytes)>;
using TByteSource = std::function<void(const TByteSink& Write)>;
void WriteUtf8TextFileInPieces(const std::string& Path, const TByteSource& Produce);

// While one is open on a thread, the files written there are only staged:
// each is written in full beside its target, and Commit puts them all in
// place. Closed without Commit, it removes them, so a run that fails part way
// replaces none of its files.
class TReplaceTogether {
 public:
  TReplaceTogether();
  TReplaceTogether(const TReplaceTogether&) = delete;
  TReplaceTogether& operator=(const TReplaceTogether&) = delete;
  ~TReplaceTogether();

  // Renames every staged file over its target, in the order written.
  void Commit();

  struct TStaged;
  void Hold(std::unique_ptr<TStaged> Staged);

 private:
  std::vector<std::unique_ptr<TStaged>> FStaged;
  TReplaceTogether* FOuter;
};

// On SIGTERM, SIGHUP and SIGINT, removes the temporaries of unfinished saves,
// then ends the process as the signal would have.
void RemoveTemporariesOnSignals();

// The name of the temporary that process Pid writes beside TargetName: short
// whatever the target's length, and telling which target it belongs to.
std::string TemporaryFileName(std::string_view TargetName, long Pid, unsigned Counter);

// The whole file without a leading byte-order mark. Raises TErrorKind::FileOpen
// when it cannot be opened, is not a regular file or is larger than MaxBytes,
// TErrorKind::FileReadWrite when reading fails, TErrorKind::Encoding when the
// bytes are not strict UTF-8.
std::string ReadUtf8TextFile(const std::string& Path, uint64_t MaxBytes = MaxTextFileBytes);

// The size of the file in MB (2^20 bytes), for messages; 0 when it cannot be told.
double FileMegabytes(const std::string& Path);

}  // namespace quelmora
