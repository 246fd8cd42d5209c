#include "commands/note_text_height.h"

#include <cstdio>

#include "commands/form_support.h"
#include "geometry/entity_data.h"
#include "geometry/entity_refs.h"
#include "geometry/pick_prompt.h"
#include "geometry/tags.h"
#include "host/messages.h"
#include "settings/mis_set.h"

namespace optgrind {
namespace {

const MessageText kQuestion = {
    "輸入文字高/S:設定註解表格文字比例<%.2f>:/C:設定顏色<%d>或選取參考(圖框 / 文字)圖元 :",
    "输入文字高/S:设定注解表格文字比例<%.2f>:/C:设定颜色<%d>或选取参考(图框 / 文字)图元 :",
    "Input Text High/S:setting NoteTable Text's scale ratio<%.2f>:/C:setting Color<%d>or select "
    "reference(frame / "
    "text) Entity :"};
const MessageText kRatioPrompt = {"\n請輸入註解表格文字比例<.8>:", "\n请输入注解表格文字比例<.8>:",
                                  "\nPlease Input NoteTable's texts scale ratio<.8>:"};
const MessageText kColorPrompt = {"\n請輸入註解表格文字顏色<%d>:", "\n请输入注解表格文字颜色<%d>:",
                                  "\nPlease Input NoteTable's texts color<%d>:"};
const MessageText kNotFrame = {"\n 不是圖框圖元.", "\n 不是图框图元.", "\n Not a Frame Ent."};

constexpr int kRatioLine = 59;
constexpr int kColorLine = 26;
constexpr int kNoteColorLine = 61;
constexpr double kSmallestRatio = 0.1;
constexpr double kDefaultRatio = 0.8;
constexpr int kLowestColorAnswer = -4;
constexpr int kHighestColor = 256;
constexpr int kLowestColor = -3;
inline constexpr const char* kFrameScaleTag = "FRAME_SCALE";

// The current text style: fixed height 0, and the big font the language's
// Chinese text needs when the style has none.
void prepareTextStyle(Host& host) {
  ResBuf name;
  TextStyleRecord style;
  if (host.acedGetVar("TEXTSTYLE", name) != RTNORM || host.getTextStyle(name.asString(), style) != RTNORM)
    return;
  style.fixedHeight = 0.0;
  int language = currentLanguage(host);
  if (style.bigFont.empty() && language == kLangTraditional) style.bigFont = "china";
  if (style.bigFont.empty() && language == kLangSimplified) style.bigFont = "ctxt";
  host.setTextStyle(style);
}

double textSize(Host& host) {
  ResBuf value;
  return host.acedGetVar("TEXTSIZE", value) == RTNORM ? value.asReal() : 0.0;
}

// The height a picked entity gives: 1 with h set, 0 to ask again.
int heightOfPick(Host& host, const EntityRef& ref, double& h) {
  EntityKind kind = classifyEntity(host, ref);
  if (kind == kKindText || kind == kKindMText || kind == kKindDimension) {
    EntityData data = readEntityData(host, wholeEntity(ref).valid == 1 ? wholeEntity(ref) : ref);
    if (data.colorIndex == -1 || data.height <= 0.0) return 0;
    h = data.height;
    return 1;
  }
  if (kind != kKindBlockRef) return 0;
  EntityRef tag = findTag(host, ref, kFrameScaleTag);
  if (tag.valid != 1) {
    printMessage(host, kNotFrame);
    return 0;
  }
  double scale = 0.0;
  std::sscanf(readEntityData(host, tag).tagValue.c_str(), "%lf ", &scale);
  h = scale * kDefaultNoteHeight;
  return 1;
}

void askRatio(Host& host, MisSettings& m) {
  double ratio = kDefaultRatio;
  int rc = host.acedGetReal(chooseText(host, kRatioPrompt), ratio);
  if (rc == RTNONE) ratio = kDefaultRatio;
  if ((rc == RTNORM || rc == RTNONE) && ratio > 0.0) {
    m.doubles[kRatioLine] = ratio;
  } else if (!(m.doubles[kRatioLine] > 0.0)) {
    m.doubles[kRatioLine] = 1.0;
  }
}

void askColor(Host& host, MisSettings& m) {
  int old = m.ints[kColorLine];
  double answer = old;
  int rc = host.acedGetReal(formatMessage(host, kColorPrompt, old), answer);
  if (rc == RTNONE) answer = old;
  if (rc == RTCAN || rc == RTERROR || answer < kLowestColorAnswer) {
    m.ints[kColorLine] = old;
  } else {
    m.ints[kColorLine] = static_cast<int>(answer);
  }
}

}  // namespace

double noteTextHeight(Host& host) {
  prepareTextStyle(host);
  loadMisSet(host);
  MisSettings& m = misSet();
  double h = textSize(host);
  if (h == 0.0) h = kDefaultNoteHeight;
  for (bool asking = true; asking;) {
    if (m.doubles[kRatioLine] < kSmallestRatio) m.doubles[kRatioLine] = 1.0;
    if (m.ints[kNoteColorLine] > kHighestColor || m.ints[kNoteColorLine] < kLowestColor) {
      m.ints[kNoteColorLine] = m.ints[kColorLine];
    }
    pickSlot(kNoteHeightSlot).number = h;
    std::string question = formatMessage(host, kQuestion, m.doubles[kRatioLine], m.ints[kNoteColorLine]);
    char prompt[512];
    std::snprintf(prompt, sizeof prompt, "\n%s<%g>", question.c_str(), h);
    int result = pickAndKeyword(host, prompt, kNoteHeightSlot, kPickPointOnEntity, "S C");
    switch (result) {
      case kPickEnter:
      case kPickNumber:
        h = pickSlot(kNoteHeightSlot).number;
        asking = false;
        break;
      case kPickKeyword:
        askRatio(host, m);
        asking = false;
        break;
      case kPickKeyword + 1:
        askColor(host, m);
        asking = false;
        break;
      case kPickOnEntity:
        asking = heightOfPick(host, pickSlot(kNoteHeightSlot).ref, h) == 0;
        break;
      case kPickCancelled:
        asking = false;
        break;
      default:  // a point off every entity
        break;
    }
  }
  if (h == 0.0) h = kDefaultNoteHeight;
  host.acedSetVar("TEXTSIZE", ResBuf::ofReal(RTREAL, h));
  saveMisSet(host);
  return h;
}

}  // namespace optgrind
