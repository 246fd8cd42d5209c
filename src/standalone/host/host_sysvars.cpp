// StandaloneHost: system variables. Their defaults are those of the original
// host's new metric drawing. Variables a drawing file keeps live in the
// drawing's header (by "$NAME", with the group code of the value) so they
// survive a save; the others live in the host for the session.
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>

#include "standalone/host/standalone_host.h"
#include "standalone/model/biarc_fit.h"
#include "standalone/model/drawing_history.h"

namespace optgrind::standalone {
namespace {

constexpr const char* kHostVersion = "18.0";
// A drawing never opened from or saved to a file has no name.
constexpr const char* kNewDrawingName = "";
// The imagined screen is as wide as the original host's drawing area:
// 1.875 times its height (the zoom of a path definition assumes it too).
constexpr double kViewAspect = 1.875;
constexpr long long kShortMin = std::numeric_limits<short>::min();
constexpr long long kShortMax = std::numeric_limits<short>::max();
constexpr double kAnyReal = std::numeric_limits<double>::max();
constexpr double kPositive = std::numeric_limits<double>::min();

constexpr int kCodeReal = 40;
constexpr int kCodeShort = 70;
constexpr int kCodePoint = 10;
constexpr int kCodeColor = 62;

enum class Kind { Short, Real, Text, Point };
// Computed variables are read-only and derived from the drawing or the view.
enum class Home { Host, Header, Computed };

struct SysVar {
  const char* name;
  Kind kind;
  Home home;
  int groupCode;  // of the header value
  bool readOnly;
  double lo, hi;  // the allowed range of a number
  ResBuf fallback;
};

const std::vector<SysVar>& sysVars() {
  static const std::vector<SysVar> vars = [] {
    auto shortVar = [](const char* n, Home h, long long def, long long lo, long long hi) {
      return SysVar{n,     Kind::Short, h,          kCodeShort,
                    false, double(lo),  double(hi), ResBuf::ofInt(RTSHORT, def)};
    };
    auto realVar = [](const char* n, double def, double lo) {
      return SysVar{n, Kind::Real, Home::Header, kCodeReal, false, lo, kAnyReal, ResBuf::ofReal(RTREAL, def)};
    };
    auto textVar = [](const char* n, int code, const char* def) {
      return SysVar{n, Kind::Text, Home::Header, code, false, 0, 0, ResBuf::ofString(RTSTR, def)};
    };
    auto computed = [](const char* n, Kind k) { return SysVar{n, k, Home::Computed, 0, true, 0, 0, {}}; };
    std::vector<SysVar> v = {
        shortVar("OSMODE", Home::Host, 4133, 0, kShortMax),
        shortVar("PICKBOX", Home::Host, 3, 0, 50),
        shortVar("CMDECHO", Home::Host, 1, 0, 1),
        // 1: PEDIT turns a picked line or arc into a polyline without asking.
        shortVar("PEDITACCEPT", Home::Host, 0, 0, 1),
        // Ours: how far the arcs PEDIT makes of a spline or an ellipse may
        // stray from it. A session setting, as the original host would
        // refuse an unknown variable in a drawing's header.
        SysVar{"ARCFITTOL", Kind::Real, Home::Host, kCodeReal, false, kPositive, kAnyReal,
               ResBuf::ofReal(RTREAL, kDefaultArcFitTolerance)},
        shortVar("ORTHOMODE", Home::Header, 0, 0, 1),
        shortVar("LUPREC", Home::Header, 4, 0, 8),
        realVar("TEXTSIZE", 2.5, kPositive),
        realVar("DIMASZ", 2.5, 0.0),
        realVar("DIMTXT", 2.5, kPositive),
        realVar("DIMGAP", 0.625, -kAnyReal),
        textVar("TEXTSTYLE", 7, "Standard"),
        textVar("CLAYER", 8, "0"),
        textVar("CELTYPE", 6, "ByLayer"),
        // Kept as a colour index in the header, reported as text.
        SysVar{"CECOLOR", Kind::Text, Home::Header, kCodeColor, false, 0, 0,
               ResBuf::ofString(RTSTR, "BYLAYER")},
        SysVar{"VIEWCTR", Kind::Point, Home::Header, kCodePoint, true, 0, 0,
               ResBuf::ofPoint(RT3DPOINT, {210.0, 148.5, 0.0})},
        SysVar{"VIEWSIZE", Kind::Real, Home::Header, kCodeReal, true, 0, 0, ResBuf::ofReal(RTREAL, 297.0)},
        computed("VSMIN", Kind::Point),
        computed("VSMAX", Kind::Point),
        computed("ACADVER", Kind::Text),
        computed("DWGNAME", Kind::Text),
        computed("DWGPREFIX", Kind::Text),
    };
    for (const char* n : {"USERI1", "USERI2", "USERI3", "USERI4", "USERI5"}) {
      v.push_back(shortVar(n, Home::Header, 0, kShortMin, kShortMax));
    }
    return v;
  }();
  return vars;
}

const SysVar* findSysVar(const std::string& name) {
  for (const auto& v : sysVars()) {
    if (equalIgnoringCase(v.name, name)) return &v;
  }
  return nullptr;
}

std::string headerKey(const SysVar& v) { return std::string("$") + v.name; }

int rtType(Kind k) {
  switch (k) {
    case Kind::Short:
      return RTSHORT;
    case Kind::Real:
      return RTREAL;
    case Kind::Text:
      return RTSTR;
    case Kind::Point:
      return RT3DPOINT;
  }
  return RTSTR;
}

// A stored value read back as the variable's kind, or nothing when it does
// not hold one (a header read from a file may carry anything).
std::optional<ResBuf> asKind(const SysVar& v, const ResBuf& stored) {
  switch (v.kind) {
    case Kind::Short:
      if (stored.isInt()) return ResBuf::ofInt(RTSHORT, stored.asInt());
      break;
    case Kind::Real:
      if (stored.isReal() || stored.isInt()) return ResBuf::ofReal(RTREAL, stored.asReal());
      break;
    case Kind::Point:
      if (stored.isPoint()) return ResBuf::ofPoint(RT3DPOINT, stored.asPoint());
      break;
    case Kind::Text:
      if (v.groupCode == kCodeColor && stored.isInt()) {
        long long c = stored.asInt();
        return ResBuf::ofString(RTSTR, c == kColorByLayer   ? "BYLAYER"
                                       : c == kColorByBlock ? "BYBLOCK"
                                                            : std::to_string(c));
      }
      if (stored.isString()) return ResBuf::ofString(RTSTR, stored.asString());
      break;
  }
  return std::nullopt;
}

// The colour text the host takes for CECOLOR: BYLAYER, BYBLOCK, an index
// from 1 to 255 or one of the seven standard colour names.
std::optional<int> colorFromText(const std::string& text) {
  static const char* const kNames[] = {"RED", "YELLOW", "GREEN", "CYAN", "BLUE", "MAGENTA", "WHITE"};
  if (equalIgnoringCase(text, "BYLAYER")) return kColorByLayer;
  if (equalIgnoringCase(text, "BYBLOCK")) return kColorByBlock;
  for (int i = 0; i < 7; ++i) {
    if (equalIgnoringCase(text, kNames[i])) return i + 1;
  }
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  int index = std::stoi(text);
  if (index < 1 || index > 255) return std::nullopt;
  return index;
}

Point3 viewCenter(const ResBuf& v) { return v.asPoint(); }

std::string drawingFolder(const std::string& path) {
  std::error_code ec;
  std::filesystem::path folder =
      path.empty() ? std::filesystem::current_path(ec) : std::filesystem::absolute(path, ec).parent_path();
  std::string s = folder.generic_string();
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}

std::string drawingFileName(const std::string& path) {
  if (path.empty()) return kNewDrawingName;
  return std::filesystem::path(path).filename().string();
}

}  // namespace

int StandaloneHost::acedGetVar(const std::string& name, ResBuf& out) {
  const SysVar* v = findSysVar(name);
  if (!v) return RTERROR;
  std::string var = v->name;
  if (v->home == Home::Computed) {
    if (var == "ACADVER") {
      out = ResBuf::ofString(RTSTR, kHostVersion);
    } else if (var == "DWGNAME") {
      out = ResBuf::ofString(RTSTR, drawingFileName(session_.drawing.path));
    } else if (var == "DWGPREFIX") {
      out = ResBuf::ofString(RTSTR, drawingFolder(session_.drawing.path));
    } else {
      ResBuf center, height;
      acedGetVar("VIEWCTR", center);
      acedGetVar("VIEWSIZE", height);
      Point3 c = viewCenter(center);
      double halfW = height.asReal() * kViewAspect / 2.0, halfH = height.asReal() / 2.0;
      double sign = var == "VSMIN" ? -1.0 : 1.0;
      out = ResBuf::ofPoint(RT3DPOINT, {c.x + sign * halfW, c.y + sign * halfH, 0.0});
    }
    return RTNORM;
  }
  const ResBuf* stored = nullptr;
  if (v->home == Home::Header) {
    auto it = session_.drawing.header.find(headerKey(*v));
    if (it != session_.drawing.header.end()) stored = &it->second;
  } else {
    auto it = sysvars_.find(var);
    if (it != sysvars_.end()) stored = &it->second;
  }
  std::optional<ResBuf> value = stored ? asKind(*v, *stored) : std::nullopt;
  out = value ? *value : v->fallback;
  return RTNORM;
}

int StandaloneHost::acedSetVar(const std::string& name, const ResBuf& value) {
  const SysVar* v = findSysVar(name);
  if (!v) return RTERROR;
  // A setter given the marker only reads.
  if (value.isInt() && value.asInt() == kReadOnlyMarker) return RTNORM;
  if (v->readOnly) return RTERROR;
  ResBuf stored;
  switch (v->kind) {
    case Kind::Short: {
      if (!value.isInt() || value.asInt() < v->lo || value.asInt() > v->hi) return RTERROR;
      stored = ResBuf::ofInt(v->groupCode, value.asInt());
      break;
    }
    case Kind::Real: {
      double r = value.asReal();
      if ((!value.isReal() && !value.isInt()) || !std::isfinite(r) || r < v->lo || r > v->hi) return RTERROR;
      stored = ResBuf::ofReal(v->groupCode, r);
      break;
    }
    case Kind::Point:
      if (!value.isPoint()) return RTERROR;
      stored = ResBuf::ofPoint(v->groupCode, value.asPoint());
      break;
    case Kind::Text: {
      if (!value.isString()) return RTERROR;
      std::string text = value.asString();
      std::string var = v->name;
      // Names are kept as the table spells them.
      if (var == "CECOLOR") {
        std::optional<int> color = colorFromText(text);
        if (!color) return RTERROR;
        stored = ResBuf::ofInt(kCodeColor, *color);
        break;
      }
      if (var == "CLAYER") {
        const LayerRecord* layer = findLayer(session_.drawing, text);
        if (!layer || layer->frozen) return RTERROR;
        text = layer->name;
      } else if (var == "TEXTSTYLE") {
        const TextStyleRecord* style = findTextStyle(session_.drawing, text);
        if (!style) return RTERROR;
        text = style->name;
      } else if (var == "CELTYPE") {
        const LinetypeRecord* linetype = findLinetype(session_.drawing, text);
        if (!linetype) return RTERROR;
        text = linetype->name;
      }
      stored = ResBuf::ofString(v->groupCode, text);
      break;
    }
  }
  if (v->home == Home::Header) {
    noteHeaderEdit(session_.drawing);
    session_.drawing.header[headerKey(*v)] = stored;
  } else {
    stored.code = rtType(v->kind);
    sysvars_[v->name] = stored;
  }
  return RTNORM;
}

}  // namespace optgrind::standalone
