// Search paths: segments with escapes, and wildcard matching that never backtracks over stars.
#include "json/path.h"

#include <cstring>

namespace kelo::json_detail {

Path parsePath(std::string_view path) {
  Path result;
  std::size_t i = 0;
  if (!path.empty() && path[0] == '/') {
    result.anchored = true;
    i = 1;
  }
  std::string segment;
  auto close = [&] {
    if (!segment.empty()) result.segments.emplace_back(std::move(segment));
    segment.clear();
  };
  for (; i < path.size(); ++i) {
    const char c = path[i];
    if (c == '/') {
      close();
      continue;
    }
    if (c != '\\') {
      segment += c;
      continue;
    }
    if (i + 1 == path.size()) break;  // a backslash at the very end is dropped
    switch (path[i + 1]) {
      case '"': segment += '"'; break;
      case '\'': segment += '\''; break;
      case '/': segment += '/'; break;
      case '\\': segment += '\\'; break;
      case 'b': segment += '\b'; break;
      case 'f': segment += '\f'; break;
      case 'n': segment += '\n'; break;
      case 'r': segment += '\r'; break;
      case 't': segment += '\t'; break;
      default:
        // Not an escape: the backslash stays and the next byte is read as usual.
        segment += '\\';
        continue;
    }
    ++i;
  }
  close();
  return result;
}

Pattern::Pattern(std::string text) : text_(std::move(text)) {
  star_ = text_.find('*') != std::string::npos;
  anyByte_ = text_.find('?') != std::string::npos;
  if (!star_) return;
  std::size_t offset = 0;
  for (;;) {
    const std::size_t star = text_.find('*', offset);
    const std::size_t end = star == std::string::npos ? text_.size() : star;
    const std::string_view bytes(text_.data() + offset, end - offset);
    Piece piece{offset, bytes.size(), bytes.find('?') != std::string_view::npos, {}};
    if (!piece.anyByte && !bytes.empty()) {
      // Knuth-Morris-Pratt failure table: fail[k] is the length of the longest proper border of
      // the first k+1 bytes.
      piece.fail.assign(bytes.size(), 0);
      for (std::size_t k = 1, len = 0; k < bytes.size();) {
        if (bytes[k] == bytes[len]) {
          piece.fail[k++] = ++len;
        } else if (len != 0) {
          len = piece.fail[len - 1];
        } else {
          piece.fail[k++] = 0;
        }
      }
    }
    pieces_.push_back(std::move(piece));
    if (star == std::string::npos) break;
    offset = star + 1;
  }
}

bool Pattern::equalAt(const Piece& piece, std::string_view key, std::size_t at) const {
  const char* bytes = text_.data() + piece.offset;
  if (piece.size == 0) return true;
  if (!piece.anyByte) return std::memcmp(key.data() + at, bytes, piece.size) == 0;
  for (std::size_t k = 0; k < piece.size; ++k) {
    if (bytes[k] != '?' && bytes[k] != key[at + k]) return false;
  }
  return true;
}

// The first place at or after `from` where the piece occurs within `key`, or npos.
std::size_t Pattern::find(const Piece& piece, std::string_view key, std::size_t from) const {
  const char* bytes = text_.data() + piece.offset;
  const std::size_t m = piece.size;
  if (m == 0) return from;
  if (key.size() < m || from > key.size() - m) return std::string_view::npos;
  if (piece.anyByte) {
    for (std::size_t at = from; at + m <= key.size(); ++at) {
      if (equalAt(piece, key, at)) return at;
    }
    return std::string_view::npos;
  }
  for (std::size_t i = from, len = 0; i < key.size();) {
    if (key[i] == bytes[len]) {
      ++i;
      if (++len == m) return i - m;
    } else if (len != 0) {
      len = piece.fail[len - 1];
    } else {
      ++i;
    }
  }
  return std::string_view::npos;
}

bool Pattern::matches(std::string_view key) const {
  if (!star_) {
    if (key.size() != text_.size()) return false;
    if (!anyByte_) return key.empty() || std::memcmp(key.data(), text_.data(), key.size()) == 0;
    return equalAt(Piece{0, text_.size(), true, {}}, key, 0);
  }
  // With stars, the first piece must start the key and the last must end it; the middle pieces
  // are placed leftmost in between, which succeeds whenever any placement does.
  const Piece& first = pieces_.front();
  const Piece& last = pieces_.back();
  if (key.size() < first.size + last.size) return false;
  if (!equalAt(first, key, 0)) return false;
  const std::size_t tail = key.size() - last.size;
  if (!equalAt(last, key, tail)) return false;
  const std::string_view middle = key.substr(0, tail);
  std::size_t at = first.size;
  for (std::size_t i = 1; i + 1 < pieces_.size(); ++i) {
    at = find(pieces_[i], middle, at);
    if (at == std::string_view::npos) return false;
    at += pieces_[i].size;
  }
  return true;
}

}  // namespace kelo::json_detail
