#include "standalone/view/view_server.h"

#include <httplib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "standalone/view/view_access.h"

namespace optgrind::standalone {
namespace {

// Requests larger than this are refused (413).
constexpr size_t kMaxRequestBytes = 1 << 20;
// A request that has not arrived whole by then is dropped (slow clients).
constexpr time_t kReadTimeoutSeconds = 2;
// How long a page's state request waits for a change before it is answered.
constexpr std::chrono::seconds kLongPoll{15};
// Enough workers for a page's connections and a few stalled ones besides.
constexpr size_t kWorkers = 16;

// The files of the page, and nothing else, are served from its folder.
struct PageFile {
  const char* path;
  const char* file;
  const char* type;
};
constexpr PageFile kPageFiles[] = {{"/", "index.html", "text/html; charset=utf-8"},
                                   {"/view.js", "view.js", "text/javascript; charset=utf-8"},
                                   {"/view.css", "view.css", "text/css; charset=utf-8"}};

bool readWhole(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  out = text.str();
  return true;
}

void refuse(httplib::Response& res, int status, const std::string& why) {
  res.status = status;
  res.set_content("optgrind: " + why + "\n", "text/plain; charset=utf-8");
}

long long numberParam(const httplib::Request& req, const char* name) {
  try {
    return req.has_param(name) ? std::stoll(req.get_param_value(name)) : 0;
  } catch (...) {
    return 0;
  }
}

// An answer from the page: one line, and for a pick the view it was made in.
bool parseAnswer(const std::string& body, QueuedAnswer& out) {
  nlohmann::json j = nlohmann::json::parse(body, nullptr, false);
  if (j.is_discarded() || !j.is_object() || !j.contains("line") || !j["line"].is_string()) return false;
  out.line = j["line"].get<std::string>();
  if (out.line.find_first_of("\r\n") != std::string::npos) return false;
  if (j.contains("view")) {
    const nlohmann::json& v = j["view"];
    if (!v.is_object() || !v.value("cx", nlohmann::json()).is_number() ||
        !v.value("cy", nlohmann::json()).is_number() || !v.value("height", nlohmann::json()).is_number()) {
      return false;
    }
    out.view = AnswerView{true, v["cx"].get<double>(), v["cy"].get<double>(), v["height"].get<double>()};
  }
  return true;
}

std::string snapshotJson(const ViewSnapshot& s) {
  nlohmann::json j;
  j["version"] = s.version;
  j["transcriptStart"] = s.transcriptStart;
  j["transcript"] = s.transcript;
  j["transcriptEnd"] = s.transcriptEnd;
  j["drawingVersion"] = s.drawingVersion;
  j["prompt"] = s.promptJson.empty() ? nlohmann::json() : nlohmann::json::parse(s.promptJson, nullptr, false);
  j["ended"] = s.ended;
  return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

struct ViewServer::Impl {
  ViewState& state;
  AnswerQueue& answers;
  ViewServerOptions options;
  int port = 0;
  httplib::Server server;
  ClientGate gate;
  std::thread thread;

  Impl(ViewState& s, AnswerQueue& a) : state(s), answers(a) {}

  std::string tokenCookie() const { return "optgrind_token_" + std::to_string(port); }
  std::string clientCookie() const { return "optgrind_page_" + std::to_string(port); }
  static std::string cookie(const std::string& name, const std::string& value) {
    return name + "=" + value + "; Path=/; HttpOnly; SameSite=Strict";
  }

  // Host, token and page, in that order; a refused request gets a clear status.
  httplib::Server::HandlerResponse admit(const httplib::Request& req, httplib::Response& res) {
    if (!hostHeaderAllowed(req.get_header_value("Host"), options.address, port)) {
      refuse(res, 403, "this server answers only to its own address (foreign Host header)");
      return httplib::Server::HandlerResponse::Handled;
    }
    std::string cookies = req.get_header_value("Cookie");
    std::string token =
        req.has_param("token") ? req.get_param_value("token") : cookieValue(cookies, tokenCookie());
    if (!sameSecret(token, options.token)) {
      refuse(res, 403, "missing or wrong token: open the address optgrind printed");
      return httplib::Server::HandlerResponse::Handled;
    }
    std::string page = cookieValue(cookies, clientCookie());
    switch (gate.admit(page, std::chrono::steady_clock::now())) {
      case ClientGate::Admit::Refused:
        refuse(res, 409, "another page is connected to this session");
        return httplib::Server::HandlerResponse::Handled;
      case ClientGate::Admit::New:
        res.headers.emplace("Set-Cookie", cookie(clientCookie(), page));
        break;
      case ClientGate::Admit::Known:
        break;
    }
    // The page's own requests carry the token as a cookie from then on.
    if (req.has_param("token")) res.headers.emplace("Set-Cookie", cookie(tokenCookie(), options.token));
    res.set_header("Cache-Control", "no-store");
    return httplib::Server::HandlerResponse::Unhandled;
  }

  void routes() {
    for (const PageFile& f : kPageFiles) {
      std::string file = options.pageDir + "/" + f.file;
      std::string type = f.type;
      server.Get(f.path, [file, type](const httplib::Request&, httplib::Response& res) {
        std::string text;
        if (!readWhole(file, text)) return refuse(res, 500, "the page's file " + file + " cannot be read");
        res.set_content(text, type.c_str());
      });
    }
    server.Get("/state", [this](const httplib::Request& req, httplib::Response& res) {
      ViewSnapshot s = state.waitForChange(numberParam(req, "since"), numberParam(req, "from"), kLongPoll);
      res.set_content(snapshotJson(s), "application/json");
    });
    server.Get("/drawing.svg", [this](const httplib::Request&, httplib::Response& res) {
      res.set_content(state.drawing(), "image/svg+xml");
    });
    server.Post("/answer", [this](const httplib::Request& req, httplib::Response& res) {
      QueuedAnswer answer;
      if (!parseAnswer(req.body, answer))
        return refuse(res, 400, "an answer is JSON {\"line\": \"one line\"}");
      if (!answers.push(std::move(answer))) return refuse(res, 503, "the session takes no more answers");
      res.status = 204;
    });
  }
};

ViewServer::ViewServer(ViewState& state, AnswerQueue& answers)
    : impl_(std::make_unique<Impl>(state, answers)) {}

ViewServer::~ViewServer() { stop(); }

bool ViewServer::start(const ViewServerOptions& options, std::string& error) {
  Impl& s = *impl_;
  s.options = options;
  if (!std::filesystem::is_regular_file(options.pageDir + "/index.html")) {
    error = "the page's files are missing from " + options.pageDir;
    return false;
  }
  s.server.new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
  s.server.set_payload_max_length(kMaxRequestBytes);
  s.server.set_read_timeout(kReadTimeoutSeconds, 0);
  s.server.set_pre_routing_handler(
      [this](const httplib::Request& req, httplib::Response& res) { return impl_->admit(req, res); });
  s.routes();
  if (options.port == 0) {
    s.port = s.server.bind_to_any_port(options.address);
  } else if (s.server.bind_to_port(options.address, options.port)) {
    s.port = options.port;
  }
  if (s.port <= 0) {
    error = "cannot listen on " + options.address + ":" + std::to_string(options.port);
    return false;
  }
  s.thread = std::thread([this] { impl_->server.listen_after_bind(); });
  return true;
}

std::string ViewServer::url() const {
  const std::string& a = impl_->options.address;
  std::string host = a.find(':') != std::string::npos ? "[" + a + "]" : a;
  return "http://" + host + ":" + std::to_string(impl_->port) + "/?token=" + impl_->options.token;
}

void ViewServer::stop() {
  if (!impl_->thread.joinable()) return;
  impl_->state.endSession();
  impl_->server.stop();
  impl_->thread.join();
}

}  // namespace optgrind::standalone
