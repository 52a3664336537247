// libFuzzer target: any bytes as the service's reply to an analysis, and as the arguments of the
// text operations. Nothing may crash, hang or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "analysis/analyze_command.h"
#include "analysis/text.h"
#include "unit/fake_seam.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);

  kelo::testing::FakeSeam seam;
  seam.controls[kelo::ControlId::Main_EditBox1] = "http://share.example/s/abc";
  seam.reply = kelo::ByteBuffer(input);
  kelo::AnalyzeCommand(seam);

  if (size >= 10) {
    std::int32_t start = 0, count = 0;
    std::memcpy(&start, data, 4);
    std::memcpy(&count, data + 4, 4);
    const bool ignoreCase = data[8] & 1;
    const std::size_t split = 9 + data[9] % 8;
    std::string_view text = input.substr(std::min(split, size));
    std::string_view search = input.substr(9, std::min<std::size_t>(data[9] % 8, size - 9));
    (void)kelo::findText(text, search, start, ignoreCase);
    (void)kelo::findTextReverse(text, search, start, ignoreCase);
    (void)kelo::textMid(text, start, count);
    (void)kelo::textRight(text, count);
    (void)kelo::replaceRange(text, start, count, search);
  }
  return 0;
}
