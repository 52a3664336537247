// AboutWindow's design: the banner and the eight lines about the program.
#include <array>
#include <string>

#include "app/build_config.h"
#include "app/design.h"

namespace kelo {
namespace {

const std::string& aboutText() {
  static const std::string text = std::string() +
      "\xb3\xcc\xd0\xf2\xa3\xbaKelo\xcd\xf8\xc5\xcc\xcf\xc2\xd4\xd8\xd6\xfa\xca\xd6\r\n" +  // 程序：Kelo网盘下载助手
      "\xb0\xe6\xb1\xbe\xa3\xba" "1.0\r\n" +                                              // 版本：1.0
      "\xd7\xf7\xd5\xdf\xa3\xba" + config::kAuthor + "\r\n" +                             // 作者：
      "\xd6\xf7\xd2\xb3\xa3\xba" + config::kHomePage + "\r\n" +                           // 主页：
      "\r\n" +
      // 感谢 <name> 提供本工具所依据的源代码……
      "\xb8\xd0\xd0\xbb " + config::kThanksName +
      " \xcc\xe1\xb9\xa9\xb1\xbe\xb9\xa4\xbe\xdf\xcb\xf9\xd2\xc0\xbe\xdd\xb5\xc4\xd4\xb4\xb4\xfa\xc2\xeb\xa1\xad\xa1\xad\r\n" +
      "\r\n" +
      // 感谢伟大的祖国，祝祖国生日快乐，繁荣富强！
      "\xb8\xd0\xd0\xbb\xce\xb0\xb4\xf3\xb5\xc4\xd7\xe6\xb9\xfa\xa3\xac\xd7\xa3\xd7\xe6\xb9\xfa"
      "\xc9\xfa\xc8\xd5\xbf\xec\xc0\xd6\xa3\xac\xb7\xb1\xc8\xd9\xb8\xbb\xc7\xbf\xa3\xa1";
  return text;
}

}  // namespace

const WindowDesign& aboutWindowDesign() {
  using enum ControlId;
  static const std::array controls{
      ControlDesign{.id = About_PicBox1, .type = ControlType::PicBox, .container = None,
                    .x = 13, .y = 8, .width = 304, .height = 100},
      ControlDesign{.id = About_Label1, .type = ControlType::Label, .container = None,
                    .x = 13, .y = 107, .width = 291, .height = 98, .text = aboutText(),
                    .font = FontSpec{"\xcb\xce\xcc\xe5", 12},  // 宋体
                    .wordWrap = true},
  };
  static const WindowDesign design{.id = WindowId::About,
                                   .title = "\xb9\xd8\xd3\xda",  // 关于
                                   .width = 322, .height = 250, .taskbarButton = false,
                                   .controls = controls};
  return design;
}

}  // namespace kelo
