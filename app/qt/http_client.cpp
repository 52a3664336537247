// The pick-code request over libcurl's easy interface, one connection per request.
#include "app/qt/http_client.h"

#include <curl/curl.h>

#include <memory>
#include <optional>
#include <string>

#include "app/request_url.h"

namespace kelo::qt {
namespace {

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
// The Windows program's HTTP layer follows redirects; this bounds a redirect loop.
constexpr long kMaxRedirects = 30;

struct EasyDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using UniqueEasy = std::unique_ptr<CURL, EasyDeleter>;

struct SlistDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using UniqueSlist = std::unique_ptr<curl_slist, SlistDeleter>;

size_t appendBody(char* data, size_t size, size_t count, void* user) {
  auto& body = *static_cast<ByteBuffer*>(user);
  const size_t bytes = size * count;
  // Returning less than was given stops the transfer: the body keeps what it has.
  return appendReplyChunk(body, std::string_view(data, bytes)) ? bytes : 0;
}

}  // namespace

HttpClient::~HttpClient() {
  if (open_) curl_global_cleanup();
}

bool HttpClient::open() {
  if (!open_) open_ = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return open_;
}

ByteBuffer HttpClient::get(std::string_view url) {
  const std::optional<RequestTarget> target = parseRequestUrl(url);
  if (!target) return {};
  // A context that cannot be opened fails this request; the next one tries again.
  if (!open()) return {};

  UniqueEasy easy(curl_easy_init());
  if (!easy) return {};
  // curl's own Accept would be the same; naming it makes it the only one whatever curl does.
  UniqueSlist headers(curl_slist_append(nullptr, "Accept: */*"));
  if (!headers) return {};

  CURL* h = easy.get();
  const std::string address = requestUrlText(*target);
  ByteBuffer body;
  bool ready = curl_easy_setopt(h, CURLOPT_URL, address.c_str()) == CURLE_OK;
  // The target goes out as it was given: no dot segments removed, nothing percent-encoded.
  ready = ready && curl_easy_setopt(h, CURLOPT_PATH_AS_IS, 1L) == CURLE_OK;
  ready = ready && curl_easy_setopt(h, CURLOPT_HTTP_VERSION, long{CURL_HTTP_VERSION_1_0}) == CURLE_OK;
  ready = ready && curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent) == CURLE_OK;
  ready = ready && curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get()) == CURLE_OK;
  ready = ready && curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http") == CURLE_OK;
  // Redirects are followed as the Windows HTTP layer does by default: to plain http only (it
  // refuses a switch to https unless told otherwise), with no Referer of our own.
  ready = ready && curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK;
  ready = ready && curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http") == CURLE_OK;
  ready = ready && curl_easy_setopt(h, CURLOPT_MAXREDIRS, kMaxRedirects) == CURLE_OK;
  // The user-interface thread waits for the reply: no signals, so that a timer of libcurl's
  // resolver cannot interrupt the program.
  ready = ready && curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
  ready = ready && curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L) == CURLE_OK;
  ready = ready && curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, appendBody) == CURLE_OK;
  ready = ready && curl_easy_setopt(h, CURLOPT_WRITEDATA, &body) == CURLE_OK;
  if (!ready) return {};

  // Whatever the outcome, the body holds what arrived: all of it, or the bytes before the
  // transfer broke, or nothing when it failed before the body.
  (void)curl_easy_perform(h);
  return body;
}

}  // namespace kelo::qt
