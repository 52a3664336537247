// Search paths: their segments, and matching a segment's wildcards against a key or an index.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelo::json_detail {

// One segment's pattern, split at its stars into pieces that must occur in order. '?' matches any
// one byte; every other byte matches itself.
class Pattern {
 public:
  explicit Pattern(std::string text);

  // Whether the pattern covers the whole of `key`. Linear in the key's length for pieces without
  // '?' (each piece between stars is searched with its failure table, and the search never goes
  // back); a piece holding '?' is compared at each candidate place, O(key x piece). No input makes
  // it backtrack over the stars.
  bool matches(std::string_view key) const;

  const std::string& text() const { return text_; }

 private:
  struct Piece {
    std::size_t offset;             // in text_
    std::size_t size;
    bool anyByte;                   // holds a '?'
    std::vector<std::size_t> fail;  // failure table when it does not
  };

  bool equalAt(const Piece& piece, std::string_view key, std::size_t at) const;
  std::size_t find(const Piece& piece, std::string_view key, std::size_t from) const;

  std::string text_;
  bool star_ = false;
  bool anyByte_ = false;
  std::vector<Piece> pieces_;  // with a star: prefix, middle pieces, suffix
};

struct Path {
  bool anchored = false;
  std::vector<Pattern> segments;
};

// Splits `path` at unescaped '/', resolving escapes and dropping empty segments.
Path parsePath(std::string_view path);

}  // namespace kelo::json_detail
