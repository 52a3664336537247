// The pick-code request over the system's HTTP layer (WinINet).
#pragma once

#include <string_view>

#include "analysis/text.h"

namespace kelo::win32 {

// One blocking GET: the body whatever the status, the bytes received so far when the transfer
// breaks, the empty buffer on any failure before the body. The session is opened at the first
// request (again at the next one if that failed) and kept until closeInternetSession().
ByteBuffer httpReadFile(std::string_view url);
void closeInternetSession();

}  // namespace kelo::win32
