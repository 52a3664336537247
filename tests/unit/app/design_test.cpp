// The window designs as data: tab order, centring, the texts built from the build constants.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/build_config.h"
#include "app/design.h"

namespace kelo {
namespace {

using enum ControlId;

TEST(TabOrder, MainWindowCyclesForwardsAndBackwards) {
  const WindowDesign& main = mainWindowDesign();
  const std::vector<ControlId> order{Main_EditBox1, Main_Button1, Main_Button2, Main_EditBox2,
                                     Main_Button3,  Main_EditBox3, Main_Button4, Main_EditBox4,
                                     Main_EditBox6, Main_Button5};
  EXPECT_EQ(std::vector<ControlId>(tabOrder(main).begin(), tabOrder(main).end()), order);
  for (size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(nextTabStop(main, order[i], false), order[(i + 1) % order.size()]);
    EXPECT_EQ(nextTabStop(main, order[(i + 1) % order.size()], true), order[i]);
  }
  // From a control that is no tab stop (or from nothing) the walk starts at the first one.
  EXPECT_EQ(nextTabStop(main, Main_Label7, false), Main_EditBox1);
  EXPECT_EQ(nextTabStop(main, None, true), Main_EditBox1);
}

TEST(TabOrder, AboutWindowHasNoTabStop) {
  EXPECT_TRUE(tabOrder(aboutWindowDesign()).empty());
  EXPECT_EQ(nextTabStop(aboutWindowDesign(), None, false), None);
}

TEST(CentredPosition, UsesIntegerDivisionOfTheRemainingSpace) {
  EXPECT_EQ(centredPosition(mainWindowDesign(), 1280, 1024).x, (1280 - 537) / 2);
  EXPECT_EQ(centredPosition(mainWindowDesign(), 1280, 1024).y, (1024 - 295) / 2);
  EXPECT_EQ(centredPosition(aboutWindowDesign(), 1281, 769).x, (1281 - 322) / 2);
  EXPECT_EQ(centredPosition(aboutWindowDesign(), 1281, 769).y, (769 - 250) / 2);
  // A screen smaller than the window: truncation toward zero, as the integer division gives.
  EXPECT_EQ(centredPosition(mainWindowDesign(), 500, 200).x, -18);
  EXPECT_EQ(centredPosition(mainWindowDesign(), 500, 200).y, -47);
}

TEST(Designs, ControlsLiveInContainersThatComeBeforeThem) {
  for (const WindowDesign* w : {&mainWindowDesign(), &aboutWindowDesign()}) {
    std::vector<ControlId> seen;
    for (const ControlDesign& c : w->controls) {
      if (c.container != None) {
        EXPECT_NE(std::find(seen.begin(), seen.end(), c.container), seen.end());
        EXPECT_EQ(findControl(*w, c.container)->type, ControlType::GroupBox);
      }
      seen.push_back(c.id);
    }
  }
  EXPECT_EQ(findControl(mainWindowDesign(), About_Label1), nullptr);
}

TEST(Designs, TextsBuiltFromTheBuildConstants) {
  const std::string home = config::kHomePage;
  const ControlDesign* label7 = findControl(mainWindowDesign(), Main_Label7);
  // 访问作者主页： then the address
  EXPECT_EQ(std::string(label7->text),
            "\xb7\xc3\xce\xca\xd7\xf7\xd5\xdf\xd6\xf7\xd2\xb3\xa3\xba" + home);

  std::string about(findControl(aboutWindowDesign(), About_Label1)->text);
  std::vector<std::string> lines;
  for (size_t start = 0;;) {
    size_t end = about.find("\r\n", start);
    lines.push_back(about.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[3], "\xd6\xf7\xd2\xb3\xa3\xba" + home);  // 主页：
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5].substr(lines[5].size() - 4), "\xa1\xad\xa1\xad");  // ……
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(about.find('\n', about.size() - 1), std::string::npos) << "no line break at the end";
}

}  // namespace
}  // namespace kelo
