// The page's web server: serves the page, the published state and the
// drawing, and queues the page's answers. It runs on threads of its own;
// the session thread only publishes into ViewState and takes answers from
// the queue, so no request can block the session.
#pragma once

#include <memory>
#include <string>

#include "standalone/console/answer_queue.h"
#include "standalone/view/view_state.h"

namespace optgrind::standalone {

struct ViewServerOptions {
  std::string address = "127.0.0.1";  // the loopback address unless one is given
  int port = 0;                       // 0: a free port
  std::string token;                  // required on every request (query or cookie)
  std::string pageDir;                // the page's files
};

class ViewServer {
 public:
  ViewServer(ViewState& state, AnswerQueue& answers);
  ~ViewServer();
  ViewServer(const ViewServer&) = delete;
  ViewServer& operator=(const ViewServer&) = delete;

  // Binds and starts serving; false with a message when the address
  // cannot be bound or the page's files are missing.
  bool start(const ViewServerOptions& options, std::string& error);
  // The address to open: http://ADDRESS:PORT/?token=TOKEN.
  std::string url() const;
  // Ends serving; waiting pages are answered first.
  void stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace optgrind::standalone
