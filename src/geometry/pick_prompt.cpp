#include "geometry/pick_prompt.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "geometry/primitives.h"
#include "host/messages.h"
#include "host/pick_box.h"

namespace optgrind {
namespace {

std::array<PickSlot, kPickSlotCount> g_slots;

const MessageText kRetry = {
    "\n關鍵字不正確 !!,請重新輸入  : ",
    "\n关键字不正确 !!,请重新输入  : ",
    "\nThe KeyWord is not correct !!,Please retry  : ",
};

std::vector<std::string> splitKeywords(const std::string& list) {
  std::vector<std::string> words;
  std::istringstream in(list);
  std::string w;
  while (in >> w && words.size() < static_cast<size_t>(kMaxPromptKeywords)) words.push_back(w);
  return words;
}

bool looksNumeric(const std::string& text) {
  for (char c : text) {
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-')) return false;
  }
  return true;
}

bool isCurve(EntityType type) {
  return type == EntityType::Line || type == EntityType::Arc || type == EntityType::Circle ||
         type == EntityType::Polyline || type == EntityType::Spline || type == EntityType::Ellipse;
}

// The first entity crossing the pick box at p, other than the prompt's own
// point entity; a null name when none.
EntityName entityUnderPickBox(Host& host, const PointRec& p, const EntityName& own) {
  double half = pickBoxHalfSize(host);
  Point3 c1 = toPoint3(polarRad(p, kPickBoxCornerAngle1, half));
  Point3 c2 = toPoint3(polarRad(p, kPickBoxCornerAngle2, half));
  SelectionSet found;
  EntityName picked;
  if (host.acedSSGet("C", &c1, &c2, nullptr, found) != RTNORM) return picked;
  long length = 0;
  host.acedSSLength(found, length);
  for (long i = 0; i < length; ++i) {
    EntityName name;
    if (host.acedSSName(found, i, name) == RTNORM && !(name == own)) {
      picked = name;
      break;
    }
  }
  host.acedSSFree(found);
  return picked;
}

// Moves the pick onto the entity and finds the polyline segment under it.
void pickOnEntity(Host& host, const EntityName& name, const PointRec& picked, PickSlot& slot) {
  EntityRecord record;
  PointRec moved = picked;
  EntityRef ref;
  ref.name = name;
  if (host.acdbEntGet(name, record) == RTNORM && isCurve(record.type())) {
    Point3 closest;
    if (host.getClosestPointTo(record, toPoint3(picked), true, closest) == RTNORM)
      moved = toPointRec(closest);
    if (const PolylineGeom* pl = record.as<PolylineGeom>()) {
      PolylineLocation at = locateOnPolyline(*pl, moved);
      if (at.result != 0) {
        ref.segment = at.segment;
        ref.kind =
            isStraightBulge(pl->vertices[static_cast<size_t>(at.segment)].bulge) ? kKindLine : kKindArc;
      }
    }
  }
  ref.point = moved;
  ref.valid = 1;
  slot.ref = ref;
  slot.point = picked;
}

// One answer of the loop: a result, or kAskAgain after the retry message.
constexpr int kAskAgain = -100;

int takeAnswer(Host& host, int rc, const Point3& answer, int slotIndex, int mode,
               const std::vector<std::string>& keywords, const EntityName& own) {
  PickSlot& slot = g_slots[static_cast<size_t>(slotIndex)];
  switch (rc) {
    case RTNONE:
      if (slotIndex == kTextPickSlot) slot.text = " ";
      return kPickEnter;
    case RTKWORD: {
      std::string input;
      host.acedGetInput(input);
      for (size_t i = 0; i < keywords.size(); ++i) {
        if (keywords[i] == input) return kPickKeyword + static_cast<int>(i);
      }
      printMessage(host, kRetry);
      return kAskAgain;
    }
    case RTSTR: {
      std::string input;
      host.acedGetInput(input);
      if (!looksNumeric(input) && slotIndex != kTextPickSlot) {
        printMessage(host, kRetry);
        return kAskAgain;
      }
      slot.number = std::strtod(input.c_str(), nullptr);
      if (slotIndex == kTextPickSlot) slot.text = input;
      return kPickNumber;
    }
    case RTNORM: {
      PointRec p = toPointRec(answer);
      if (mode == kPickAnyPoint) {
        slot.point = p;
        return kPickPoint;
      }
      EntityName under = entityUnderPickBox(host, p, own);
      if (under.isNull()) {
        slot.point = p;
        return kPickPoint;
      }
      pickOnEntity(host, under, p, slot);
      return kPickOnEntity;
    }
    default:
      return kPickCancelled;
  }
}

}  // namespace

PickSlot& pickSlot(int slot) {
  return g_slots[static_cast<size_t>(slot < 0 || slot >= kPickSlotCount ? 0 : slot)];
}

int pickAndKeyword(Host& host, const std::string& prompt, int slotIndex, int mode,
                   const std::string& keywords) {
  if (slotIndex < 0 || slotIndex >= kPickSlotCount) return kPickCancelled;
  if (mode == kPickPointOnEntity) g_slots[static_cast<size_t>(slotIndex)].ref = EntityRef{};
  std::vector<std::string> words = splitKeywords(keywords);
  std::string initKeywords;
  for (const std::string& w : words) initKeywords += (initKeywords.empty() ? "" : " ") + w;

  // A point entity that follows the cursor while the user answers.
  EntityRecord marker;
  marker.geom = PointGeom{};
  EntityName own;
  SelectionSet dragged;
  if (host.acdbEntMake(marker, own) == RTNORM) host.acedSSAdd(&own, SelectionSet{}, dragged);

  int result = kAskAgain;
  while (result == kAskAgain) {
    host.acedInitGet(RSG_OTHER, initKeywords);
    Point3 answer;
    int rc = host.acedDragGen(dragged, prompt, mode == kPickPointOnEntity, answer);
    result = takeAnswer(host, rc, answer, slotIndex, mode, words, own);
  }

  if (!own.isNull()) host.acdbEntDel(own);
  if (dragged.id != 0) host.acedSSFree(dragged);
  return result;
}

}  // namespace optgrind
