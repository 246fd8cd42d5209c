// The pick-and-keyword prompt: one answer that is a point (on an entity or
// not), a number, a keyword or Enter, kept in one of twenty pick slots.
#pragma once

#include <string>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

constexpr int kPickSlotCount = 20;
// The slot that also keeps the typed text, and takes any text as a number.
constexpr int kTextPickSlot = 19;
// At most this many keywords of the list are used.
constexpr int kMaxPromptKeywords = 16;

// Results of the prompt; a keyword answer gives kPickKeyword + its index.
constexpr int kPickCancelled = -1;
constexpr int kPickEnter = 0;
constexpr int kPickNumber = 1;
constexpr int kPickPoint = 2;
constexpr int kPickOnEntity = 3;
constexpr int kPickKeyword = 4;

// Modes of the prompt.
constexpr int kPickAnyPoint = 0;
constexpr int kPickPointOnEntity = 1;

struct PickSlot {
  PointRec point;  // the point as the user gave it
  EntityRef ref;   // the point moved onto the entity, the entity, segment and kind
  double number = 0.0;
  std::string text;  // slot 19 only
};

// The slot's last answer; slots live as long as the module.
PickSlot& pickSlot(int slot);

// Asks with prompt; keywords are separated by one blank. Results above.
int pickAndKeyword(Host& host, const std::string& prompt, int slot, int mode, const std::string& keywords);

}  // namespace optgrind
