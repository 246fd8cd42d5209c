#include "host/pick_box.h"

namespace optgrind {
namespace {

double realVariable(Host& host, const char* name, double otherwise) {
  ResBuf value;
  return host.acedGetVar(name, value) == RTNORM ? value.asReal() : otherwise;
}

}  // namespace

double pickBoxHalfSize(Host& host) {
  return realVariable(host, "PICKBOX", kDefaultPickBoxPixels) *
         realVariable(host, "VIEWSIZE", kDefaultViewSize) / kPickBoxViewPixels / 2.0;
}

}  // namespace optgrind
