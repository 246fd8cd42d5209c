// Messages follow the language line of "mis_set.set", read again for every
// message; the warning boxes beep twice and answer by their first button.
#include "host/messages.h"

#include <gtest/gtest.h>

#include "settings/mis_set.h"
#include "support/temp_root.h"

namespace optgrind {
namespace {

using testing::HostWithRoot;

const MessageText kGreeting = {"\n繁體 %d\n", "\n简体 %d\n", "\nEnglish %d\n"};

void setLanguage(HostWithRoot& env, int language) {
  testing::writeFile(env.dataFile("mis_set.set"), testing::misSetWithLanguage(language));
}

TEST(Messages, EachMessageReadsTheLanguageAgain) {
  HostWithRoot env;
  misSet() = MisSettings{};
  useMisSetLanguage();
  setLanguage(env, 0);
  printMessage(env.host, kGreeting, 1);
  setLanguage(env, 1);
  printMessage(env.host, kGreeting, 2);
  setLanguage(env, 2);
  printMessage(env.host, kGreeting, 3);
  setLanguage(env, 7);  // out of range: Traditional Chinese
  printMessage(env.host, kGreeting, 4);
  std::filesystem::remove(env.dataFile("mis_set.set"));  // unreadable: the last language stays
  printMessage(env.host, kGreeting, 5);
  EXPECT_EQ(env.out.str(), "\n繁體 1\n\n简体 2\n\nEnglish 3\n\n繁體 4\n\n繁體 5\n");
}

TEST(Messages, BoxesBeepTwiceAndTakeTheFirstButtonOnly) {
  HostWithRoot env("Yes\n No\nok\nquit\n\n");
  useMisSetLanguage();
  setLanguage(env, 2);
  EXPECT_EQ(yesNoWarning(env.host, "a", "b", "c"), 1);
  EXPECT_EQ(yesNoWarning(env.host, "a", "b", "c"), 0);
  EXPECT_EQ(continueOrQuit(env.host, "a", "b"), 1);
  EXPECT_EQ(continueOrQuit(env.host, "a", "b"), 0);
  informationBox(env.host, "first", "second");
  std::string out = env.out.str();
  EXPECT_NE(out.find("\a\a\n+-- ** WARNING! ** --"), std::string::npos);
  EXPECT_NE(out.find(" Continue ? "), std::string::npos);
  EXPECT_NE(out.find("| first\n| \n| second\n| \n| Press [OK],then Modify it !!"), std::string::npos);
}

}  // namespace
}  // namespace optgrind
