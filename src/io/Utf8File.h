#pragma once

#include <string>
#include <string_view>

namespace quelmora {

// The byte-order mark that starts every text file the program writes.
inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// Replaces the whole file at Path with Bytes, or leaves it as it was: the
// bytes go to a new file in the same folder, which is synced and renamed over
// the target. A symbolic link is written through, not replaced. Raises
// TErrorKind::FileCreate or TErrorKind::FileReadWrite naming Path and the reason.
void WriteFileReplacing(const std::string& Path, std::string_view Bytes);

// The byte-order mark, then Text (already UTF-8), written as WriteFileReplacing does.
void WriteUtf8TextFile(const std::string& Path, std::string_view Text);

// The whole file without a leading byte-order mark. Raises TErrorKind::FileOpen or
// TErrorKind::FileReadWrite when it cannot be read, TErrorKind::Encoding when the bytes are not
// strict UTF-8 (nothing is replaced).
std::string ReadUtf8TextFile(const std::string& Path);

}  // namespace quelmora
