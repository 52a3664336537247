// The memory of bytes written into controls, with plain stand-ins for handles and Unicode text.
#include <gtest/gtest.h>

#include <string>

#include "app/written_texts.h"

namespace kelo {
namespace {

using Written = WrittenTexts<int, std::u16string>;
constexpr ControlId kBox = ControlId::Main_EditBox2;

TEST(WrittenTexts, GivesBackTheBytesWhileTheSameControlShowsTheSameText) {
  Written written;
  written.wrote(kBox, 7, "\x80\xff", u"\ufffd\ufffd", u"\ufffd\ufffd");
  EXPECT_EQ(written.recall(kBox, 7, u"\ufffd\ufffd"), std::optional<Text>("\x80\xff"));
  // Typed over, another control under the same id, or another id: read as shown.
  EXPECT_EQ(written.recall(kBox, 7, u"\ufffd"), std::nullopt);
  EXPECT_EQ(written.recall(kBox, 8, u"\ufffd\ufffd"), std::nullopt);
  EXPECT_EQ(written.recall(ControlId::Main_EditBox3, 7, u"\ufffd\ufffd"), std::nullopt);
}

TEST(WrittenTexts, ForgetsAWriteTheControlDidNotKeepWhole) {
  Written written;
  written.wrote(kBox, 7, "abc", u"abc", u"abc");
  written.wrote(kBox, 7, "abcdef", u"abcdef", u"abc");
  EXPECT_EQ(written.recall(kBox, 7, u"abc"), std::nullopt);
}

}  // namespace
}  // namespace kelo
