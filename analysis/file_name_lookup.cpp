// The file-name lookup: the reply's "FileName" members, written as JSON, cut into 编辑框6.
#include "analysis/file_name_lookup.h"

#include "analysis/text.h"
#include "json/json.h"

namespace kelo {

void lookupFileName(Seam& seam, std::string_view reply) {
  JSON document = jsonCreate();
  // Whether the reply was JSON is not asked: a failed read searches as nothing and shows nothing.
  jsonParse(document, reply);
  JSON matches = jsonSearch(document, "FileName");
  const Text written = jsonToText(matches);
  jsonDestroy(matches);
  const int32_t n = textLength(written);
  // Drops "[ \"" and "\" ]" around a single string match; other results come out odd or empty.
  seam.setControlText(ControlId::Main_EditBox6, textMid(written, 4, n - 6));
  jsonDestroy(document);
}

}  // namespace kelo
