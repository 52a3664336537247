// Random documents for the property tests, and what they must give, computed the plain way.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelo::testing {

struct Node {
  enum class Kind { Null, False, True, Integer, Real, String, Array, Object } kind = Kind::Null;
  std::int64_t integer = 0;
  double real = 0;
  std::string bytes;  // String: the stored bytes
  std::vector<Node> elements;
  std::vector<std::pair<std::string, Node>> members;  // as read: repeated keys included
};

struct RandomPath {
  std::string text;
  bool anchored = false;
  std::vector<std::string> segments;
};

class DocumentGenerator {
 public:
  explicit DocumentGenerator(std::uint32_t seed) : random_(seed) {}

  // A random tree and a text that reads as it.
  std::pair<Node, std::string> document();
  // A path of keys and indexes the document may hold, with wildcards now and then.
  RandomPath path();

 private:
  std::string value(Node& out, int depth);
  std::string string(std::string& stored, bool isKey);
  std::string space();
  std::string key();
  std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(random_() % n); }

  std::mt19937 random_;
};

// The tree as the reader keeps it: repeated keys resolved, the last value in the last place.
Node canonical(const Node& node);
// The written form, byte by byte, computed without the library.
std::string written(const Node& node);
// The written result of a search on a canonical tree, by plain recursion.
std::string searchedPlainly(const Node& root, const RandomPath& path);
// A plain, exponential glob matcher.
bool referenceGlob(std::string_view pattern, std::string_view key);

}  // namespace kelo::testing
