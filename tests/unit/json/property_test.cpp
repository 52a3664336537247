// Properties over random documents: reading, writing, searching, and staying in bounds.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "json/json.h"
#include "json_test_util.h"
#include "random_document.h"

namespace kelo::testing {
namespace {

// Reads a copy of `text` held in a heap block of exactly its size, so that AddressSanitizer sees
// any byte read past the end (a std::string would hide one behind its terminating zero).
bool parseExact(JSON& doc, std::string_view text) {
  auto block = std::make_unique_for_overwrite<char[]>(text.size());
  if (!text.empty()) std::memcpy(block.get(), text.data(), text.size());
  return jsonParse(doc, std::string_view(block.get(), text.size()));
}

TEST(JsonProperties, RandomDocumentsReadAsDescribedAndWriteStably) {
  DocumentGenerator generate(1);
  for (int i = 0; i < 3000; ++i) {
    const auto [tree, text] = generate.document();
    const std::string expected = written(canonical(tree));
    JSON doc = jsonCreate();
    ASSERT_TRUE(parseExact(doc, text)) << text;
    const std::string first = jsonToText(doc);
    ASSERT_EQ(first, expected) << text;
    JSON again = jsonCreate();
    ASSERT_TRUE(parseExact(again, first)) << first;
    ASSERT_EQ(jsonToText(again), first);
  }
}

TEST(JsonProperties, SearchesAgreeWithAPlainSearch) {
  DocumentGenerator generate(2);
  for (int i = 0; i < 2000; ++i) {
    const auto [tree, text] = generate.document();
    const Node root = canonical(tree);
    JSON doc = jsonCreate();
    ASSERT_TRUE(parseExact(doc, text));
    for (int j = 0; j < 5; ++j) {
      const RandomPath path = generate.path();
      JSON result = jsonSearch(doc, path.text);
      ASSERT_EQ(jsonToText(result), searchedPlainly(root, path)) << path.text << " in " << text;
    }
  }
}

TEST(JsonProperties, CutAndDamagedTextsStayInBounds) {
  DocumentGenerator generate(3);
  std::mt19937 random(4);
  for (int i = 0; i < 300; ++i) {
    const std::string text = generate.document().second;
    for (std::size_t n = 0; n <= text.size(); ++n) {
      JSON doc = jsonCreate();
      if (parseExact(doc, std::string_view(text).substr(0, n))) jsonToText(doc);
    }
    for (int j = 0; j < 50; ++j) {
      std::string damaged = text;
      if (damaged.empty()) break;
      for (int k = 0; k < 3; ++k) damaged[random() % damaged.size()] = static_cast<char>(random());
      damaged.resize(random() % (damaged.size() + 1));
      JSON doc = jsonCreate();
      if (parseExact(doc, damaged)) {
        const std::string out = jsonToText(doc);
        JSON result = jsonSearch(doc, "*");
        jsonToText(result);
      }
    }
  }
}

TEST(JsonProperties, RandomBytesStayInBounds) {
  std::mt19937 random(5);
  const std::string_view alphabet = "{}[]\"'\\/*,:.-+eE0123456789tnfu \n\x81\x30\xD6";
  for (int i = 0; i < 20000; ++i) {
    std::string text(random() % 40, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    JSON doc = jsonCreate();
    if (parseExact(doc, text)) jsonToText(doc);
  }
}

}  // namespace
}  // namespace kelo::testing
