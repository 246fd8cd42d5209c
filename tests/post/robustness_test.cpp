// Bad WCF files end in messages, never in a crash or a hang.
#include <random>

#include "post_fixture.h"

namespace optgrind::test {
namespace {

struct Robustness : PostFixture {
  // Scans, loads and runs every event code.
  void runEverything(const std::string& wcf) {
    load(wcf);
    for (int code = -1; code <= kEventTableSize; ++code) runEvent(host, code);
  }
};

TEST_F(Robustness, FiftyThousandCharactersAndLongTokens) {
  std::string wcf = "VARIABLE " + std::string(2000, '9') + " = X" + std::string(300, '4') + "\n";
  wcf += "program_start = \"" + std::string(500, 'q') + "\" " + std::string(3000, 'x') + " = 1\n";
  wcf += "linear_feed = (" + std::string(1000, '(') + "1" + std::string(1000, ')') + ") ? \"deep\" ;\n";
  while (wcf.size() < 50000) wcf += "path_end = G01 @X @Y (@X = @X + 1) $\n";
  runEverything(wcf);
  EXPECT_EQ(postState().textLength, kProgramTextSize - 1);
}

TEST_F(Robustness, BinaryBytes) {
  std::mt19937 random(20261205);
  for (int round = 0; round < 20; ++round) {
    std::string wcf = "VARIABLE X = X4.3\nprogram_start = ";
    for (int i = 0; i < 3000; ++i) wcf += static_cast<char>(random() & 0xff);
    runEverything(wcf);
    std::string tokens = "linear_feed = ";
    const char* pieces[] = {"(",  ")", "?",  ":",   ";",       "[1]",     "#", "@",
                            "#@", "X", "12", "G01", "\"t\"",   "$",       "=", "sub_command 1 =",
                            "==", "^", "%",  "\n",  "mem_off", "getval(", ","};
    for (int i = 0; i < 2000; ++i) tokens += std::string(pieces[random() % std::size(pieces)]) + " ";
    runEverything(tokens);
  }
  // Nothing of the garbage outlives its event: a clean file runs as new.
  resetPostState();
  sink.clear();
  load("VARIABLE X = X4.3\nlinear_feed = \"N\" @X $\n");
  postVariable(kVarX).current = 2.5;
  constexpr int kLinearFeed = 11;
  runEvent(host, kLinearFeed);
  EXPECT_EQ(sink.text(), "NX2.500\n");
}

TEST_F(Robustness, EndlessJumpsStopAtTheTokenLimit) {
  // The ":" jumps back to behind the ";" of the conditional before it, forever.
  load("x\nlinear_feed = (1) ? \"a\" ; \"b\" :\nwire_on = \"on\"\n");
  interp().tokenLimit = 30000;
  std::string nc = run("linear_feed\nwire_on\n");
  EXPECT_NE(messages().find("too many statements in one event (in linear_feed)\n"), std::string::npos);
  EXPECT_EQ(nc.substr(nc.size() - 2), "on");
}

}  // namespace
}  // namespace optgrind::test
