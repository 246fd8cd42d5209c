// Who may drive the session through the page: the holder of the token, on
// a Host this server answers to, one page at a time.
#pragma once

#include <chrono>
#include <mutex>
#include <string>

namespace optgrind::standalone {

// Random hexadecimal text from the system's random source.
std::string randomToken();
// Compares in time that does not depend on where the texts differ.
bool sameSecret(const std::string& a, const std::string& b);
// A request's Host header names this server: a loopback name or the bound
// address, with the port. Anything else is a page of another site reaching
// the loopback address through its own name (DNS rebinding).
bool hostHeaderAllowed(const std::string& host, const std::string& boundAddress, int port);
// The value of one cookie in a Cookie header; empty when it is absent.
std::string cookieValue(const std::string& header, const std::string& name);

// The one page that drives the session. A reload keeps its cookie and so
// stays the same page; a page silent this long (its tab closed) lets the
// next one in.
class ClientGate {
 public:
  static constexpr std::chrono::seconds kIdleRelease{30};
  enum class Admit { Known, New, Refused };

  // id is the request's page cookie (empty when none); New sets it to the
  // new page's id.
  Admit admit(std::string& id, std::chrono::steady_clock::time_point now);

 private:
  std::mutex mutex_;
  std::string current_;
  std::chrono::steady_clock::time_point lastSeen_;
};

}  // namespace optgrind::standalone
