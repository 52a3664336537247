// MainWindow's design: the address box, the three address lines, the file name and the links.
#include <array>
#include <string>

#include "app/build_config.h"
#include "app/design.h"

namespace kelo {
namespace {

constexpr FontSpec kCaptionFont{"\xcb\xce\xcc\xe5", 14};  // 宋体
constexpr FontSpec kInputFont{"Tahoma", 14};
constexpr FontSpec kResultFont{"Tahoma", 13};
constexpr Rgb kGroupCaption{0, 96, 192};

ControlDesign label(ControlId id, ControlId container, int x, int y, int w, int h,
                    std::string_view text) {
  return {.id = id, .type = ControlType::Label, .container = container, .x = x, .y = y,
          .width = w, .height = h, .text = text, .font = kCaptionFont, .engraved = true};
}

ControlDesign resultBox(ControlId id, int y, Rgb colour, int tabIndex) {
  return {.id = id, .type = ControlType::EditBox, .container = ControlId::Main_GroupBox2,
          .x = 56, .y = y, .width = 344, .height = 25, .font = kResultFont,
          .textColour = colour, .readOnly = true, .tabIndex = tabIndex};
}

ControlDesign button(ControlId id, ControlId container, int x, int y, std::string_view text,
                     int tabIndex, Command command, ControlId target = ControlId::None) {
  return {.id = id, .type = ControlType::Button, .container = container, .x = x, .y = y,
          .width = 80, .height = 30, .text = text, .tabIndex = tabIndex, .command = command,
          .commandTarget = target};
}

const std::string& homePageLabelText() {
  static const std::string text =
      std::string("\xb7\xc3\xce\xca\xd7\xf7\xd5\xdf\xd6\xf7\xd2\xb3\xa3\xba") +  // 访问作者主页：
      config::kHomePage;
  return text;
}

constexpr std::string_view kCopy = "\xb8\xb4\xd6\xc6\xb5\xd8\xd6\xb7";  // 复制地址

}  // namespace

const WindowDesign& mainWindowDesign() {
  using enum ControlId;
  static const std::array controls{
      ControlDesign{.id = Main_GroupBox1, .type = ControlType::GroupBox, .container = None,
                    .x = 16, .y = 8, .width = 500, .height = 56,
                    .text = "\xca\xe4\xc8\xebKelo\xcd\xf8\xc5\xcc\xb5\xd8\xd6\xb7",  // 输入Kelo网盘地址
                    .textColour = kGroupCaption},
      label(Main_Label1, Main_GroupBox1, 15, 18, 48, 25, "\xb5\xd8\xd6\xb7\xa3\xba"),  // 地址：
      ControlDesign{.id = Main_EditBox1, .type = ControlType::EditBox, .container = Main_GroupBox1,
                    .x = 55, .y = 18, .width = 344, .height = 25, .font = kInputFont,
                    .textColour = Rgb{0, 128, 0}, .tabIndex = 0},
      button(Main_Button1, Main_GroupBox1, 407, 15, "\xb7\xd6\xce\xf6", 1, Command::Analyze),  // 分析
      ControlDesign{.id = Main_GroupBox2, .type = ControlType::GroupBox, .container = None,
                    .x = 16, .y = 70, .width = 500, .height = 162,
                    .text = "\xd5\xe6\xca\xb5\xcf\xc2\xd4\xd8\xb5\xd8\xd6\xb7",  // 真实下载地址
                    .textColour = kGroupCaption, .pointer = Pointer::Arrow},
      label(Main_Label2, Main_GroupBox2, 16, 18, 40, 25, "\xc1\xaa\xcd\xa8\xa3\xba"),  // 联通：
      resultBox(Main_EditBox2, 18, Rgb{255, 0, 0}, 3),
      button(Main_Button2, Main_GroupBox2, 408, 15, kCopy, 2, Command::CopyAddress, Main_EditBox2),
      label(Main_Label3, Main_GroupBox2, 16, 54, 40, 25, "\xb5\xe7\xd0\xc5\xa3\xba"),  // 电信：
      resultBox(Main_EditBox3, 54, Rgb{0, 0, 255}, 5),
      button(Main_Button3, Main_GroupBox2, 408, 51, kCopy, 4, Command::CopyAddress, Main_EditBox3),
      label(Main_Label4, Main_GroupBox2, 16, 90, 40, 25, "\xb1\xb8\xb7\xdd\xa3\xba"),  // 备份：
      resultBox(Main_EditBox4, 90, Rgb{0, 0, 0}, 7),
      button(Main_Button4, Main_GroupBox2, 408, 87, kCopy, 6, Command::CopyAddress, Main_EditBox4),
      label(Main_Label6, Main_GroupBox2, 7, 126, 47, 25, "\xce\xc4\xbc\xfe\xc3\xfb\xa3\xba"),  // 文件名：
      resultBox(Main_EditBox6, 126, Rgb{192, 96, 0}, 8),
      button(Main_Button5, Main_GroupBox2, 408, 122, "\xb9\xd8\xd3\xda", 9, Command::ShowAbout),  // 关于
      ControlDesign{.id = Main_Label7, .type = ControlType::Label, .container = None,
                    .x = 317, .y = 237, .width = 199, .height = 24, .text = homePageLabelText(),
                    .pointer = Pointer::Hand, .command = Command::OpenHomePage},
  };
  static const WindowDesign design{
      .id = WindowId::Main,
      .title = "Kelo\xcd\xf8\xc5\xcc\xcf\xc2\xd4\xd8\xd6\xfa\xca\xd6 1.0",  // Kelo网盘下载助手 1.0
      .width = 537, .height = 295, .taskbarButton = true, .controls = controls};
  return design;
}

}  // namespace kelo
