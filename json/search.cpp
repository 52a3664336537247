// Searching a document with a path; the results are references to the document's values.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <utility>
#include <vector>

#include "json/document.h"
#include "json/json.h"
#include "json/path.h"

namespace kelo {
namespace json_detail {
namespace {

class Searcher {
 public:
  Searcher(const Path& path, std::vector<Value>& results)
      : path_(path), results_(results),
        // An unanchored search with several segments reaches the same value with the same segment
        // along many routes (each level may restart at the first segment), which without a memo
        // costs time exponential in the depth even when nothing is found.
        memoise_(!path.anchored && path.segments.size() > 1) {}

  // Recursion depth is bounded by the reader's level cap.
  void search(const Value& v, std::size_t segment) {
    if (v.kind == Kind::Object) {
      for (std::uint32_t i = 0; i < v.size; ++i) {
        const Member& m = v.members[i];
        step(path_.segments[segment].matches(m.keyView()), m.value, segment);
      }
    } else if (v.kind == Kind::Array) {
      char digits[24];
      for (std::uint32_t i = 0; i < v.size; ++i) {
        const char* end = std::to_chars(digits, digits + sizeof digits, i).ptr;
        const std::string_view index(digits, static_cast<std::size_t>(end - digits));
        step(path_.segments[segment].matches(index), v.elements[i], segment);
      }
    }
  }

 private:
  void step(bool matched, const Value& child, std::size_t segment) {
    if (matched) {
      if (segment + 1 == path_.segments.size()) {
        // A value found for the last segment is not searched further.
        results_.push_back(child);
        return;
      }
      descend(child, segment + 1);
    }
    if (!path_.anchored) descend(child, 0);
  }

  void descend(const Value& v, std::size_t segment) {
    if ((v.kind != Kind::Object && v.kind != Kind::Array) || v.size == 0) return;
    if (!memoise_) {
      search(v, segment);
      return;
    }
    // A value searched with a given segment always yields the same results: the second time,
    // copy them from where the first search put them.
    const Key key{v.kind == Kind::Object ? static_cast<const void*>(v.members) : v.elements,
                  segment};
    if (auto found = memo_.find(key); found != memo_.end()) {
      const auto [begin, end] = found->second;
      results_.reserve(results_.size() + (end - begin));
      for (std::size_t i = begin; i < end; ++i) results_.push_back(results_[i]);
      return;
    }
    const std::size_t begin = results_.size();
    search(v, segment);
    memo_.emplace(key, std::pair{begin, results_.size()});
  }

  struct Key {
    const void* children;
    std::size_t segment;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      return std::hash<const void*>()(k.children) * 31 + k.segment;
    }
  };

  const Path& path_;
  std::vector<Value>& results_;
  const bool memoise_;
  std::unordered_map<Key, std::pair<std::size_t, std::size_t>, KeyHash> memo_;
};

}  // namespace
}  // namespace json_detail

JSON jsonSearch(const JSON& instance, std::string_view path) {
  using namespace json_detail;
  JSON result;
  if (instance.doc_ == nullptr) return result;
  const Value& root = instance.doc_->root;
  if (root.kind != Kind::Object && root.kind != Kind::Array) return result;
  const Path parsed = parsePath(path);
  if (parsed.segments.empty()) return result;

  std::vector<Value> found;
  Searcher(parsed, found).search(root, 0);

  auto doc = std::make_shared<Document>();
  doc->keepAlive.push_back(instance.doc_);
  Value* elements = nullptr;
  if (!found.empty()) {
    elements = static_cast<Value*>(doc->arena.allocate(found.size() * sizeof(Value)));
    std::memcpy(elements, found.data(), found.size() * sizeof(Value));
  }
  doc->root = Value::makeArray(elements, static_cast<std::uint32_t>(found.size()));
  result.doc_ = std::move(doc);
  return result;
}

}  // namespace kelo
