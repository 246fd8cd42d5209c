// Running events: sections, names, prefixes and subroutines at their edges.
#include "post_fixture.h"

namespace optgrind::test {
namespace {

using Executor = PostFixture;

TEST_F(Executor, MissingSectionAndSectionAtTheTextEnd) {
  load("x\nwire_on = \"on\" $");
  EXPECT_EQ(run("wire_off\nwire_on\n"), "on");
}

TEST_F(Executor, NcNameWithoutDirectoryAndExtension) {
  load("x\nprogram_start = ~ $\n");
  EXPECT_EQ(run("nc_name = C:\\\\jobs\\\\part.one.NC\nprogram_start\nnc_name = d:plate.nc\nprogram_start\n"),
            "part\nplate\n");
}

TEST_F(Executor, GetNameNoTakesTheLeadingNumberOrZero) {
  load("GET_NAME_NO\nVARIABLE O = O4\nprogram_start = @O $\n");
  EXPECT_EQ(run("nc_name = /nc/0042AB.NC\nprogram_start\nnc_name = /nc/AB42.NC\nprogram_start\n"),
            "O0042\nO0000\n");
  load("VARIABLE O = O4\nprogram_start = @O $\n");
  EXPECT_EQ(run("O = 7\nprogram_start\n"), "O0007\n");  // without the option O is left alone
}

TEST_F(Executor, APrefixStaysInForceForNamesWithoutOne) {
  load("VARIABLE X = X-1.3\nprogram_start = #X A = 5 $\nwire_on = @X A = 6 $\n");
  run("X = 1\nprogram_start\n");
  EXPECT_EQ(postVariable(1).last, 5);  // after "#" an assignment goes to the last value
  EXPECT_EQ(postVariable(1).current, 0);
  run("wire_on\n");
  EXPECT_EQ(postVariable(1).current, 6);
}

TEST_F(Executor, TextEndInsideASubroutineEndsTheWholeEvent) {
  load("x\nprogram_start = [1] \"after\"\nsub_command 1 = \"sub\" $");
  EXPECT_EQ(run("program_start\n"), "sub");
}

}  // namespace
}  // namespace optgrind::test
