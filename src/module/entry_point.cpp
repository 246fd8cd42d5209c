#include "module/entry_point.h"

#include "commands/command_handlers.h"
#include "host/command_summaries.h"
#include "host/current_host.h"
#include "host/messages.h"
#include "host/utf8.h"
#include "settings/mis_set.h"

namespace optgrind {

const CommandTableEntry kCommandTable[4] = {
    {"opt",
     optCommand,
     {"機台資料，再定義輪廓上的一條研磨路徑並輸出 NC 程式；或輸出已存路徑的 NC；或繪製刀具表",
      "机台资料，再定义轮廓上的一条研磨路径并输出 NC 程序；或输出已存路径的 NC；或绘制刀具表",
      "Machine data, then a grinding path on a profile and its NC program; NC of stored paths; the tool "
      "table"}},
    {"pw_opt",
     pwOptCommand,
     {"以後處理設定檔輸出本次定義之路徑的 NC 程式", "以后处理配置文件输出本次定义之路径的 NC 程序",
      "The NC program of the paths defined in this session, through the post configure file"}},
    {"opt_mark",
     optMarkCommand,
     {"在聚合線上標示角點與中點記號，並可標示點號及座標表",
      "在多段线上标示角点与中点记号，并可标示点号及坐标表",
      "Corner and middle marks on a polyline; point labels and a coordinate table on request"}},
    {"opt_set",
     optSetCommand,
     {"整體設定：後處理檔、NC 資料夾與命名、座標系統、微小元素門檻、NC 編輯器",
      "整体设置：后处理文件、NC 文件夹与命名、坐标系统、微小元素阈值、NC 编辑器",
      "Global settings: post file, NC folder and naming, coordinate system, small elements, NC editor"}},
};

namespace {

std::string commandTableSummary(Host& host, const std::string& command) {
  for (const auto& entry : kCommandTable) {
    if (equalIgnoringCase(entry.name, command)) return chooseText(host, entry.summary);
  }
  return std::string();
}

}  // namespace

int acrxEntryPoint(Host& host, int msg, void* appId) {
  switch (msg) {
    case kInitAppMsg:
      setCurrentHost(&host);
      useMisSetLanguage();
      setCommandSummaryProvider(commandTableSummary);
      host.unlockApplication(appId);
      host.registerAppMDIAware(appId);
      // A failed registration leaves that command out and the others in.
      for (const auto& entry : kCommandTable) {
        host.addCommand(kCommandGroup, entry.name, entry.name, ACRX_CMD_MODAL, entry.handler);
      }
      break;
    case kUnloadAppMsg:
      host.removeGroup(kCommandGroup);
      setCurrentHost(nullptr);
      setLanguageProvider(nullptr);
      setCommandSummaryProvider(nullptr);
      break;
    default:
      break;
  }
  return kRetOK;
}

int acrxGetApiVersion() { return kApiVersion; }

}  // namespace optgrind
