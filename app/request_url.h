// What both HTTP clients send and keep: the parts of an http:// address for one GET, and the
// cap on a reply body.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/text.h"

namespace kelo {

struct RequestTarget {
  std::string host;          // 1..255 bytes: letters, digits, '-', '.', '_'
  uint16_t port = 80;        // 1..65535
  std::string pathAndQuery;  // the request target: starts with '/', no fragment
};

inline constexpr size_t kMaxHostLength = 255;
inline constexpr size_t kMaxPathAndQueryLength = 2047;
// A longer body is cut here, as if the transfer had broken at this byte, so that every position
// in the reply text fits comfortably in 32 bits.
inline constexpr size_t kMaxReplyBytes = size_t{256} * 1024 * 1024;

// The request for `url`, or nothing when the address cannot be sent as it is (the client then
// gives the empty reply). Accepted: "http://" in any letter case, a host, an optional ":port",
// then an optional path and query; a fragment is dropped and an absent path is "/". Refused:
// any other scheme, user information ("user@host"), an empty or bracketed host, a host byte
// outside letters, digits, '-', '.' and '_', a port that is not 1..65535 in decimal, a host
// over 255 bytes, a path with query over 2,047 bytes, and any byte below 0x21 or equal to 0x7F
// anywhere in the address (so nothing can break the request line). Bytes of 0x80 and above in
// the path and query go out unchanged, as do '%' and every other printable byte: nothing is
// percent-encoded.
std::optional<RequestTarget> parseRequestUrl(std::string_view url);

// The same request written back as an address with an explicit port, for clients that take a
// whole address.
std::string requestUrlText(const RequestTarget& target);

// Appends a chunk of the body up to the reply cap. Returns false once the cap is reached: the
// client stops reading and returns what it has.
bool appendReplyChunk(ByteBuffer& body, std::string_view chunk);

}  // namespace kelo
