// Replacing a whole file so that a reader, or a crash, finds either the old file or
// the new one, never a mix of the two or nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace selvora {

// Sixteen hex digits drawn afresh on every call, for names nobody can guess ahead.
std::string randomNameSuffix();

// The name the new file is written under first: beside `path`, "<path>.<suffix>.tmp".
std::string temporaryName(const std::string& path, std::string_view suffix);

// Writes `bytes` to a new file beside `path` and renames it over `path`. The new file
// is created exclusively, under a random name, and never through a link, so nothing
// planted in a shared folder can redirect the write; names already taken are skipped.
// On failure `path` is untouched, the new file removed, and the result says why.
std::optional<std::string> replaceFile(const std::string& path, std::string_view bytes);

// The same with the random part of the name from `suffix`, so tests can choose it.
std::optional<std::string> replaceFile(const std::string& path, std::string_view bytes,
                                       const std::function<std::string()>& suffix);

// Names tried before a save gives up: a random name is taken only if planted.
inline constexpr int kTemporaryNameAttempts = 16;

}  // namespace selvora
