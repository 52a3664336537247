// The request builder shared by both HTTP clients: address checks, target split, body cap.
#include "app/request_url.h"

#include <algorithm>

namespace kelo {
namespace {

constexpr std::string_view kScheme = "http://";

bool isControlByte(unsigned char byte) { return byte < 0x21 || byte == 0x7F; }

bool isHostByte(unsigned char byte) {
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
         (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_';
}

bool startsWithSchemeAnyCase(std::string_view url) {
  if (url.size() < kScheme.size()) return false;
  for (size_t i = 0; i < kScheme.size(); ++i) {
    auto byte = static_cast<unsigned char>(url[i]);
    if (byte >= 'A' && byte <= 'Z') byte = static_cast<unsigned char>(byte + ('a' - 'A'));
    if (byte != static_cast<unsigned char>(kScheme[i])) return false;
  }
  return true;
}

// "" means the default port; otherwise 1..65535 written in decimal digits only.
std::optional<uint16_t> parsePort(std::string_view digits) {
  if (digits.empty()) return uint16_t{80};
  uint32_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(c - '0');
    if (value > 65535) return std::nullopt;
  }
  if (value == 0) return std::nullopt;
  return static_cast<uint16_t>(value);
}

}  // namespace

std::optional<RequestTarget> parseRequestUrl(std::string_view url) {
  if (std::any_of(url.begin(), url.end(),
                  [](char c) { return isControlByte(static_cast<unsigned char>(c)); })) {
    return std::nullopt;
  }
  if (!startsWithSchemeAnyCase(url)) return std::nullopt;
  std::string_view rest = url.substr(kScheme.size());
  rest = rest.substr(0, rest.find('#'));

  const size_t authorityEnd = std::min(rest.find('/'), rest.find('?'));
  const std::string_view authority = rest.substr(0, authorityEnd);
  const std::string_view target =
      authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);

  const size_t colon = authority.find(':');
  const std::string_view host = authority.substr(0, colon);
  if (host.empty() || host.size() > kMaxHostLength) return std::nullopt;
  if (!std::all_of(host.begin(), host.end(),
                   [](char c) { return isHostByte(static_cast<unsigned char>(c)); })) {
    return std::nullopt;
  }
  const std::optional<uint16_t> port =
      parsePort(colon == std::string_view::npos ? std::string_view() : authority.substr(colon + 1));
  if (!port) return std::nullopt;

  RequestTarget request;
  request.host = std::string(host);
  request.port = *port;
  if (target.empty() || target.front() == '?') request.pathAndQuery = "/";
  request.pathAndQuery.append(target);
  if (request.pathAndQuery.size() > kMaxPathAndQueryLength) return std::nullopt;
  return request;
}

std::string requestUrlText(const RequestTarget& target) {
  return std::string(kScheme) + target.host + ":" + std::to_string(target.port) +
         target.pathAndQuery;
}

bool appendReplyChunk(ByteBuffer& body, std::string_view chunk) {
  const size_t room = kMaxReplyBytes - std::min(body.size(), kMaxReplyBytes);
  body.append(chunk.substr(0, room));
  return body.size() < kMaxReplyBytes;
}

}  // namespace kelo
