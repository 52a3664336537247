// The pick-code request over libcurl: HTTP/1.0, the old browser agent, one Accept "*/*", no
// header of our own beyond those, always from the origin, the body whatever the status.
#pragma once

#include <string_view>

#include "analysis/text.h"

namespace kelo::qt {

// The HTTP client context: libcurl's global state, opened at the first request and closed with
// the client, at the end of the program.
class HttpClient {
 public:
  HttpClient() = default;
  ~HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  // One blocking GET: the body whatever the status, the bytes received so far when the
  // transfer breaks, empty on any failure before the body or for an address that cannot be
  // sent as it is.
  ByteBuffer get(std::string_view url);

 private:
  bool open();
  bool open_ = false;
};

}  // namespace kelo::qt
