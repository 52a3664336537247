// Random documents for the property tests, and the plain computations they are checked against.
#include "random_document.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace kelo::testing {
namespace {

struct Piece {
  std::string_view doubleQuoted;  // the text inside double quotes
  std::string_view singleQuoted;  // the text inside single quotes
  std::string_view stored;        // the bytes it stands for
};

// Safe in keys and values: every multi-byte character is complete and its later bytes are ones
// the writer would not escape anyway.
const Piece kCommonPieces[] = {
    {"a", "a", "a"},
    {"FileName", "FileName", "FileName"},
    {"0", "0", "0"},
    {" ", " ", " "},
    {"*", "*", "*"},
    {"?", "?", "?"},
    {"\\\"", "\"", "\""},
    {"'", "\\'", "'"},
    {"\\/", "\\/", "/"},
    {"/", "/", "/"},
    {"\\\\", "\\\\", "\\"},
    {"\\n", "\\n", "\n"},
    {"\t", "\\t", "\t"},
    {"\\b\\f\\r", "\\b\\f\\r", "\b\f\r"},
    {"\\u0001", "\\u0001", "\x01"},
    {"\x1f", "\x1f", "\x1f"},
    {"\\u004A", "\\u004a", "J"},
    {"\\q", "\\q", "\\q"},
    {"\\u4e2d", "\\u4E2D", "\xD6\xD0"},
    {"\\u00c4", "\\u00C4", "\x81\x30\x87\x32"},
    {"\\ud83d\\ude00", "\\uD83D\\uDE00", "\x94\x39\xFC\x36"},
    {"\xD6\xD0", "\xD6\xD0", "\xD6\xD0"},
    {"\x81\x30\x87\x32", "\x81\x30\x87\x32", "\x81\x30\x87\x32"},
    {"\x80", "\x80", "\x80"},
    {"\xFF", "\xFF", "\xFF"},
    {"\x7F", "\x7F", "\x7F"},
};

// Only in values: the second (or later) byte of a character is a quote or a backslash.
const Piece kValuePieces[] = {
    {"\x95\"", "\x95\"", "\x95\""},
    {"\x95'", "\x95'", "\x95'"},
    {"\x95\\", "\x95\\", "\x95\\"},
    {"\\u4e57", "\\u4e57", "\x81\x5C"},
    {"\x81\x30\\\"", "\x81\x30\\\"", "\x81\x30\\\""},
};

void writeEscaped(std::string& out, std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c >= 0x81 && c <= 0xFE) {
      std::size_t n = 2;
      if (i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) >= 0x2A &&
          static_cast<unsigned char>(s[i + 1]) <= 0x3F) {
        n = 4;
      }
      n = std::min(n, s.size() - i);
      out.append(s.substr(i, n));
      i += n;
      continue;
    }
    switch (c) {
      case '\b': out += "\\b"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '/': out += "\\/"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
    ++i;
  }
}

void writeTo(std::string& out, const Node& node) {
  switch (node.kind) {
    case Node::Kind::Null: out += "null"; return;
    case Node::Kind::False: out += "false"; return;
    case Node::Kind::True: out += "true"; return;
    case Node::Kind::Integer: out += std::to_string(node.integer); return;
    case Node::Kind::Real: {
      // The C runtime's printf is not exact on every platform; to_chars is.
      char buf[400];
      out.append(buf, std::to_chars(buf, buf + sizeof buf, node.real, std::chars_format::fixed, 6).ptr);
      return;
    }
    case Node::Kind::String:
      out += '"';
      writeEscaped(out, node.bytes);
      out += '"';
      return;
    case Node::Kind::Array:
      out += '[';
      for (std::size_t i = 0; i < node.elements.size(); ++i) {
        out += i == 0 ? " " : ", ";
        writeTo(out, node.elements[i]);
      }
      out += " ]";
      return;
    case Node::Kind::Object:
      out += '{';
      for (std::size_t i = 0; i < node.members.size(); ++i) {
        out += i == 0 ? " \"" : ", \"";
        writeEscaped(out, node.members[i].first);
        out += "\": ";
        writeTo(out, node.members[i].second);
      }
      out += " }";
      return;
  }
}

void searchPlainly(const Node& v, const RandomPath& path, std::size_t i, std::vector<const Node*>& out) {
  auto visit = [&](const std::string& key, const Node& child) {
    bool appended = false;
    if (referenceGlob(path.segments[i], key)) {
      if (i + 1 == path.segments.size()) {
        out.push_back(&child);
        appended = true;
      } else {
        searchPlainly(child, path, i + 1, out);
      }
    }
    if (!path.anchored && !appended) searchPlainly(child, path, 0, out);
  };
  if (v.kind == Node::Kind::Object) {
    for (const auto& [key, child] : v.members) visit(key, child);
  } else if (v.kind == Node::Kind::Array) {
    for (std::size_t k = 0; k < v.elements.size(); ++k) visit(std::to_string(k), v.elements[k]);
  }
}

}  // namespace

std::pair<Node, std::string> DocumentGenerator::document() {
  Node root;
  std::string text = space() + value(root, below(4) == 0 ? 2 : 0) + space();
  if (below(3) == 0) text += "trailing text is not read";
  return {std::move(root), std::move(text)};
}

std::string DocumentGenerator::space() {
  static const std::string_view kSpaces[] = {"", "", "", " ", "\n", "\t\r\n  ", "/* c */",
                                             "// line\n", "/**/ ", "\v\f"};
  return std::string(kSpaces[below(std::size(kSpaces))]);
}

std::string DocumentGenerator::string(std::string& stored, bool isKey) {
  const bool single = below(4) == 0;
  std::string text(1, single ? '\'' : '"');
  const std::uint32_t count = below(5) == 0 ? below(40) : below(6);
  for (std::uint32_t i = 0; i < count; ++i) {
    const bool valueOnly = !isKey && below(6) == 0;
    const Piece& piece = valueOnly ? kValuePieces[below(std::size(kValuePieces))]
                                   : kCommonPieces[below(std::size(kCommonPieces))];
    text += single ? piece.singleQuoted : piece.doubleQuoted;
    stored += piece.stored;
  }
  text += single ? '\'' : '"';
  return text;
}

std::string DocumentGenerator::value(Node& out, int depth) {
  const std::uint32_t choice = depth >= 5 ? below(6) : below(9);
  auto literal = [&](std::string_view word) {
    std::string s(word);
    for (char& c : s) {
      if (below(3) == 0) c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
  };
  switch (choice) {
    case 0: out.kind = Node::Kind::Null; return literal("null");
    case 1: out.kind = Node::Kind::True; return literal("true");
    case 2: out.kind = Node::Kind::False; return literal("false");
    case 3: {
      out.kind = Node::Kind::Integer;
      out.integer = static_cast<std::int64_t>((std::uint64_t{random_()} << 32) | random_()) >>
                    below(64);
      return std::to_string(out.integer);
    }
    case 4: {
      out.kind = Node::Kind::Real;
      const double magnitude = static_cast<double>(random_()) / 1000.0 *
                               (below(2) ? 1e-9 : below(2) ? 1.0 : 1e12);
      const double value = below(2) ? -magnitude : magnitude;
      char buf[64];
      const auto format = below(2) ? std::chars_format::scientific : std::chars_format::general;
      std::string text(buf, std::to_chars(buf, buf + sizeof buf, value, format, 17).ptr);
      // The reader takes a real only with a '.' or a lower-case 'e'.
      if (text.find_first_of(".e") == std::string::npos) text += ".0";
      std::from_chars(text.data(), text.data() + text.size(), out.real);
      return text;
    }
    case 5: out.kind = Node::Kind::String; return string(out.bytes, false);
    case 6:
    case 7: {
      out.kind = Node::Kind::Array;
      std::string text = "[" + space();
      const std::uint32_t count = below(6);
      for (std::uint32_t i = 0; i < count; ++i) {
        if (i != 0) text += "," + space();
        out.elements.emplace_back();
        text += value(out.elements.back(), depth + 1) + space();
      }
      if (count != 0 && below(4) == 0) text += "," + space();
      return text + "]";
    }
    default: {
      out.kind = Node::Kind::Object;
      std::string text = "{" + space();
      const std::uint32_t count = below(7);
      for (std::uint32_t i = 0; i < count; ++i) {
        if (i != 0) text += "," + space();
        std::string key;
        // Few distinct keys, so that objects repeat them.
        if (below(3) != 0) {
          static const char* const kKeys[] = {"FileName", "a", "b", "Url", "0"};
          const char* k = kKeys[below(std::size(kKeys))];
          text += std::string("\"") + k + "\"";
          key = k;
        } else {
          text += string(key, true);
        }
        text += space() + ":" + space();
        out.members.emplace_back(std::move(key), Node{});
        text += value(out.members.back().second, depth + 1) + space();
      }
      if (count != 0 && below(4) == 0) text += "," + space();
      return text + "}";
    }
  }
}

RandomPath DocumentGenerator::path() {
  static const std::string_view kSegments[] = {"FileName", "a", "b", "Url", "0", "1", "*",
                                               "?", "F*e", "*a*", "\xD6\xD0", "/", "a b"};
  RandomPath p;
  p.anchored = below(3) == 0;
  if (p.anchored) p.text += '/';
  const std::uint32_t count = 1 + below(3);
  for (std::uint32_t i = 0; i < count; ++i) {
    if (i != 0) p.text += below(5) == 0 ? "//" : "/";
    const std::string_view segment = kSegments[below(std::size(kSegments))];
    p.segments.emplace_back(segment);
    for (char c : segment) {
      if (c == '/' || c == '\\') p.text += '\\';
      p.text += c;
    }
  }
  return p;
}

Node canonical(const Node& node) {
  Node out = node;
  out.elements.clear();
  out.members.clear();
  for (const Node& e : node.elements) out.elements.push_back(canonical(e));
  for (const auto& [key, value] : node.members) {
    // A key ends at a zero byte in the reader; the generator never makes one.
    auto same = std::find_if(out.members.begin(), out.members.end(),
                             [&](const auto& m) { return m.first == key; });
    if (same != out.members.end()) out.members.erase(same);
    out.members.emplace_back(key, canonical(value));
  }
  return out;
}

std::string written(const Node& node) {
  std::string out;
  writeTo(out, node);
  return out;
}

std::string searchedPlainly(const Node& root, const RandomPath& path) {
  if (root.kind != Node::Kind::Object && root.kind != Node::Kind::Array) return "null";
  std::vector<const Node*> found;
  searchPlainly(root, path, 0, found);
  Node result;
  result.kind = Node::Kind::Array;
  for (const Node* n : found) result.elements.push_back(*n);
  return written(result);
}

bool referenceGlob(std::string_view p, std::string_view s) {
  if (p.empty()) return s.empty();
  if (p[0] == '*') {
    for (std::size_t i = 0; i <= s.size(); ++i) {
      if (referenceGlob(p.substr(1), s.substr(i))) return true;
    }
    return false;
  }
  return !s.empty() && (p[0] == '?' || p[0] == s[0]) && referenceGlob(p.substr(1), s.substr(1));
}

}  // namespace kelo::testing
