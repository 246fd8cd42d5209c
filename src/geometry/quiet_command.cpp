#include "geometry/quiet_command.h"

namespace optgrind {

int runQuietCommand(Host& host, const ResBufList& args) {
  ResBuf echo;
  bool haveEcho = host.acedGetVar("CMDECHO", echo) == RTNORM;
  host.acedSetVar("CMDECHO", ResBuf::ofInt(RTSHORT, 0));
  int rc = host.acedCommand(args);
  if (haveEcho) host.acedSetVar("CMDECHO", echo);
  return rc;
}

}  // namespace optgrind
