// Layer and linetype table look-ups by name and by id, as the entity
// records name them.
#pragma once

#include <string>
#include <vector>
#include "host/utf8.h"

#include "host/host.h"

namespace optgrind {

// The layer of that name or id; false when there is none.
bool findLayerByName(Host& host, const std::string& name, LayerRecord& out);
bool findLayerById(Host& host, int id, LayerRecord& out);
// The linetype's id, or -1 when the table has none of that name.
int linetypeIdByName(Host& host, const std::string& name);
// The linetype's name, or "" when no linetype has that id.
std::string linetypeNameById(Host& host, int id);

// Unlocks every layer and remembers the lock states by table position.
class LayerUnlock {
 public:
  explicit LayerUnlock(Host& host);
  ~LayerUnlock();
  LayerUnlock(const LayerUnlock&) = delete;
  LayerUnlock& operator=(const LayerUnlock&) = delete;

 private:
  Host& host_;
  std::vector<bool> locked_;
};

}  // namespace optgrind
