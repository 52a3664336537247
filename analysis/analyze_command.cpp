// The Analyze command: asks the service about the pick code and cuts the download addresses out
// of the reply text by fixed markers, without parsing it.
#include "analysis/analyze_command.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "analysis/file_name_lookup.h"
#include "analysis/text.h"
#include "analysis/unescape.h"
#include "app/build_config.h"

namespace kelo {
namespace {

// 请正确输入Kelo网盘地址!!!
constexpr std::string_view kEmptyInputMessage =
    "\xC7\xEB\xD5\xFD\xC8\xB7\xCA\xE4\xC8\xEB"
    "Kelo"
    "\xCD\xF8\xC5\xCC\xB5\xD8\xD6\xB7"
    "!!!";
// 提取码不存在或已过期。
constexpr std::string_view kExpiredCodeMessage =
    "\xCC\xE1\xC8\xA1\xC2\xEB\xB2\xBB\xB4\xE6\xD4\xDA\xBB\xF2\xD2\xD1\xB9\xFD\xC6\xDA\xA1\xA3";

constexpr std::string_view kPickCodeInfoPath =
    "/?ct=upload_api&ac=get_pick_code_info&version=1160&pickcode=";
constexpr std::string_view kPathSeparator = "/";
constexpr std::string_view kFailureMarker = "false";
constexpr std::string_view kAddressStart = "http://";
constexpr std::string_view kListSeparator = "},{";
constexpr std::string_view kLastAddressKey = "UrlKey";
// The address, its closing quote, "},{" and the 7 bytes of "Url":" that open the next entry.
constexpr int64_t kRemovalExtra = 11;

constexpr std::string_view UnicomHostMarker = config::kUnicomHostMarker;
constexpr std::string_view TelecomHostMarker = config::kTelecomHostMarker;
constexpr std::string_view BackupHostMarker = config::kBackupHostMarker;

constexpr ControlId UnicomLine = ControlId::Main_EditBox2;
constexpr ControlId TelecomLine = ControlId::Main_EditBox3;
constexpr ControlId BackupLine = ControlId::Main_EditBox4;
constexpr ControlId kLineOfPosition[] = {UnicomLine, TelecomLine, BackupLine};

// Position arithmetic runs on 64 bits; a result beyond 32 bits is pinned to the nearest 32-bit
// value, which every text operation treats exactly like the exact value (a count past the end
// or a start before the first byte).
int32_t pinned(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

void showInAllLines(Seam& seam, std::string_view message) {
  for (ControlId line : kLineOfPosition) seam.setControlText(line, message);
}

Text PickCodeInfoRequest(Seam& seam, std::string_view pickCode) {
  const Text prefix = concatText({"http://", config::kApiHost, kPickCodeInfoPath});
  const Text url = concatText({prefix, pickCode});
  return bytesToText(seam.httpReadFile(url));
}

// An address goes to the line whose host it names, else to the box of its position.
ControlId lineFor(std::string_view address, int position) {
  if (findText(address, UnicomHostMarker) != -1) return UnicomLine;
  if (findText(address, TelecomHostMarker) != -1) return TelecomLine;
  if (findText(address, BackupHostMarker) != -1) return BackupLine;
  return kLineOfPosition[position - 1];
}

}  // namespace

void AnalyzeCommand(Seam& seam, const FileNameLookup& lookup) {
  const Text address = seam.controlText(ControlId::Main_EditBox1);
  if (compareText(address, "") == 0) {
    showInAllLines(seam, kEmptyInputMessage);
    return;
  }

  const int64_t addressLength = textLength(address);
  const int64_t lastSeparator = findTextReverse(address, kPathSeparator);
  const Text pickCode = textRight(address, pinned(addressLength - lastSeparator));

  const Text reply = PickCodeInfoRequest(seam, pickCode);
  if (findText(reply, kFailureMarker) != -1) {
    showInAllLines(seam, kExpiredCodeMessage);
    return;
  }

  Text work = unescapeSlashes(reply);
  for (int position = 1; position <= 3; ++position) {
    const int64_t start = findText(work, kAddressStart);
    const int64_t end = position < 3 ? int64_t{findText(work, kListSeparator)} - 1
                                     : int64_t{findText(work, kLastAddressKey)} - 3;
    const Text found = textMid(work, pinned(start), pinned(end - start));
    seam.setControlText(lineFor(found, position), found);
    if (position < 3) {
      work = replaceRange(std::move(work), pinned(start), pinned(end + kRemovalExtra - start), "");
    }
  }

  lookup(seam, reply);
}

void AnalyzeCommand(Seam& seam) { AnalyzeCommand(seam, lookupFileName); }

}  // namespace kelo
