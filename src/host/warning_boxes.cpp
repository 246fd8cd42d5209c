// The small warning boxes: each comes after two error beeps.
#include "host/messages.h"

namespace optgrind {
namespace {

const MessageText kWarningTitle = {" ** 警告! ** ", " ** 警告! ** ", " ** WARNING! ** "};
const MessageText kYes = {"是", "是", "Yes"};
const MessageText kNo = {" 否", " 否", " No"};
const MessageText kContinueTitle = {" ** 警告 !!! **", " ** 警告 !!! **", " ** Warning !!! **"};
const MessageText kContinue = {" 繼續 ? ", " 继续 ? ", " Continue ? "};
const MessageText kOk = {"確定", "确定", "OK"};
const MessageText kQuit = {"離開", "退出", "Quit"};
const MessageText kInformation = {
    "** 警告 ! **\n\n%s\n\n%s\n\n請按 [確定] 後修改 !!",
    "** 警告 ! **\n\n%s\n\n%s\n\n请按 [确定] 后修改 !!",
    "** Warning ! **\n\n%s\n\n%s\n\nPress [OK],then Modify it !!",
};

constexpr const char* kSeparator = "----------------------------------------";
constexpr int kFirstButton = 1;

void beepTwice(Host& host) {
  host.platform().messageBeep();
  host.platform().messageBeep();
}

}  // namespace

int yesNoWarning(Host& host, const std::string& line1, const std::string& line2, const std::string& line3) {
  beepTwice(host);
  std::string text = std::string(kSeparator) + "\n" + line1 + "\n" + line2 + "\n" + line3 + "\n" + kSeparator;
  int chosen = host.messageBox(chooseText(host, kWarningTitle), text,
                               {chooseText(host, kYes), chooseText(host, kNo)}, BoxIcon::Warning);
  return chosen == kFirstButton ? 1 : 0;
}

int continueOrQuit(Host& host, const std::string& line1, const std::string& line2) {
  beepTwice(host);
  std::string text = line1 + "\n" + line2 + "\n" + chooseText(host, kContinue);
  int chosen = host.messageBox(chooseText(host, kContinueTitle), text,
                               {chooseText(host, kOk), chooseText(host, kQuit)}, BoxIcon::Warning);
  return chosen == kFirstButton ? 1 : 0;
}

void informationBox(Host& host, const std::string& text1, const std::string& text2) {
  beepTwice(host);
  std::string text = formatMessage(host, kInformation, text1.c_str(), text2.c_str());
  host.messageBox("", text, {chooseText(host, kOk)}, BoxIcon::Information);
}

}  // namespace optgrind
