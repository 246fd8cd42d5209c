#include "standalone/view/view_access.h"

#include <random>

namespace optgrind::standalone {
namespace {

// 128 bits, as hexadecimal.
constexpr int kTokenWords = 4;

}  // namespace

std::string randomToken() {
  std::random_device source;
  static const char* kHex = "0123456789abcdef";
  std::string out;
  for (int i = 0; i < kTokenWords; ++i) {
    unsigned int word = source();
    for (int nibble = 0; nibble < 8; ++nibble) out += kHex[(word >> (nibble * 4)) & 0xF];
  }
  return out;
}

bool sameSecret(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  unsigned char diff = 0;
  for (size_t i = 0; i < a.size(); ++i) diff |= static_cast<unsigned char>(a[i] ^ b[i]);
  return diff == 0;
}

bool hostHeaderAllowed(const std::string& host, const std::string& boundAddress, int port) {
  std::string suffix = ":" + std::to_string(port);
  std::string bound = boundAddress.find(':') != std::string::npos ? "[" + boundAddress + "]" : boundAddress;
  for (const std::string& name :
       {std::string("127.0.0.1"), std::string("localhost"), std::string("[::1]"), bound}) {
    if (!name.empty() && host == name + suffix) return true;
  }
  return false;
}

std::string cookieValue(const std::string& header, const std::string& name) {
  size_t at = 0;
  while (at < header.size()) {
    size_t end = header.find(';', at);
    if (end == std::string::npos) end = header.size();
    size_t start = header.find_first_not_of(' ', at);
    if (start < end && header.compare(start, name.size() + 1, name + "=") == 0) {
      return header.substr(start + name.size() + 1, end - start - name.size() - 1);
    }
    at = end + 1;
  }
  return std::string();
}

ClientGate::Admit ClientGate::admit(std::string& id, std::chrono::steady_clock::time_point now) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!current_.empty() && sameSecret(id, current_)) {
    lastSeen_ = now;
    return Admit::Known;
  }
  if (!current_.empty() && now - lastSeen_ < kIdleRelease) return Admit::Refused;
  current_ = randomToken();
  lastSeen_ = now;
  id = current_;
  return Admit::New;
}

}  // namespace optgrind::standalone
