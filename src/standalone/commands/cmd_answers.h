// Where the host's own commands take their answers from: the user at the
// command line, or the arguments of acedCommand, where a pause hands one
// answer over to the user. A command is written once against Answers.
#pragma once

#include <string>
#include <vector>

#include "host/host_types.h"
#include "standalone/console/answers.h"

namespace optgrind::standalone {

class Session;

// Every method returns RTNORM with the value, RTKWORD with a keyword (point
// only), RTNONE for an empty answer (Enter), RTCAN when the user cancelled
// and RTERROR when an acedCommand argument does not fit the prompt.
// Keywords are blank separated; their capitals are the short form the user
// may type ("eXit" answers to "X" and "exit"). A keyword comes back spelled
// as in the list.
class Answers {
 public:
  virtual ~Answers() = default;
  // A point or one of the keywords; base is the point rubber-banded from.
  virtual int point(const std::string& prompt, const std::string& keywords, const Point3* base, Point3& out,
                    std::string& keyword) = 0;
  virtual int real(const std::string& prompt, double& out) = 0;
  virtual int keyword(const std::string& prompt, const std::string& keywords, std::string& out) = 0;
  // Free text with spaces; only Enter ends it.
  virtual int text(const std::string& prompt, std::string& out) = 0;
  virtual int entity(const std::string& prompt, EntityName& out) = 0;
  // "Select objects:" until the selection ends: RTNORM with the ids of the
  // live entities chosen, in the order chosen (possibly none).
  virtual int objects(std::vector<long long>& ids) = 0;
  // A message of the command (a line ending with "\n").
  virtual void message(const std::string& text) = 0;
  // Drops the answers still given for the command (none are typed ahead).
  virtual void skipRest() {}
};

// Answers typed by the user, through the host's own prompts.
class UserAnswers : public Answers {
 public:
  explicit UserAnswers(Session& session) : session_(session) {}
  int point(const std::string& prompt, const std::string& keywords, const Point3* base, Point3& out,
            std::string& keyword) override;
  int real(const std::string& prompt, double& out) override;
  int keyword(const std::string& prompt, const std::string& keywords, std::string& out) override;
  int text(const std::string& prompt, std::string& out) override;
  int entity(const std::string& prompt, EntityName& out) override;
  int objects(std::vector<long long>& ids) override;
  void message(const std::string& text) override;

 private:
  Session& session_;
};

// Answers given as acedCommand arguments, from `first` on. An argument that
// is the pause string asks the user instead; arguments that run out answer
// as Enter. With echo, every prompt is printed with the answer it took.
class ScriptedAnswers : public Answers {
 public:
  ScriptedAnswers(Session& session, const ResBufList& args, size_t first, bool echo)
      : session_(session), user_(session), args_(args), next_(first), echo_(echo) {}
  int point(const std::string& prompt, const std::string& keywords, const Point3* base, Point3& out,
            std::string& keyword) override;
  int real(const std::string& prompt, double& out) override;
  int keyword(const std::string& prompt, const std::string& keywords, std::string& out) override;
  int text(const std::string& prompt, std::string& out) override;
  int entity(const std::string& prompt, EntityName& out) override;
  int objects(std::vector<long long>& ids) override;
  void message(const std::string& text) override;
  void skipRest() override { next_ = args_.size(); }

 private:
  // The next argument, or null once they have run out.
  const ResBuf* take();
  // Takes the next argument for the prompt and echoes it: Enter (also when
  // the arguments have run out), a pause, or an answer given in arg.
  enum class Next { Enter, Pause, Given };
  Next nextArg(const std::string& prompt, const ResBuf*& arg);
  void echo(const std::string& prompt, const std::string& answer);

  Session& session_;
  UserAnswers user_;
  const ResBufList& args_;
  size_t next_;
  bool echo_;
  Point3 lastPoint_;
};

bool isPause(const ResBuf& arg);

}  // namespace optgrind::standalone
