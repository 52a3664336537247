// The pick-code request over WinINet: HTTP/1.0, the old browser agent, one Accept "*/*", always
// from the origin and never cached.
#include "app/win32/wininet_client.h"

#include <array>
#include <string>

#include "app/request_url.h"
#include "app/win32/win_handles.h"

namespace kelo::win32 {
namespace {

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

UniqueInternet& session() {
  static UniqueInternet handle;
  return handle;
}

}  // namespace

ByteBuffer httpReadFile(std::string_view url) {
  std::optional<RequestTarget> target = parseRequestUrl(url);
  if (!target) return {};

  if (!session()) {
    session().reset(InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session()) return {};
  }
  UniqueInternet connection(InternetConnectA(session().get(), target->host.c_str(), target->port,
                                             nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return {};

  const char* acceptTypes[] = {"*/*", nullptr};
  // RELOAD: fetched from the origin even when a cached copy exists; NO_CACHE_WRITE: not stored.
  UniqueInternet request(HttpOpenRequestA(connection.get(), "GET", target->pathAndQuery.c_str(),
                                          "HTTP/1.0", nullptr, acceptTypes,
                                          INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
  if (!request) return {};
  if (!HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) return {};

  ByteBuffer body;
  std::array<char, 64 * 1024> chunk;
  for (;;) {
    DWORD got = 0;
    if (!InternetReadFile(request.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &got)) break;
    if (got == 0) break;  // the end of the body
    if (!appendReplyChunk(body, std::string_view(chunk.data(), got))) break;
  }
  return body;
}

void closeInternetSession() { session().reset(); }

}  // namespace kelo::win32
