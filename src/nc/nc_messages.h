// The messages of NC output for the user, in the three languages.
#pragma once

#include "host/messages.h"

namespace optgrind {

inline constexpr MessageText kMsgProcessPrompt = {
    "\n處理 -- S:部分選取/<全部選取>:",
    "\n处理 -- S:部分选取/<全部选取>:",
    "\nProcess -- S:Partial Select/<Select All>:",
};
inline constexpr MessageText kMsgNoOpticalPath = {
    "沒有光學路徑 !",
    "没有光学路径 !",
    "No Optical Path !",
};
inline constexpr MessageText kMsgNoSavingPath = {
    "\n警告!沒有存檔路徑 !",
    "\n警告!没有存档路径 !",
    "\nWarning!No Saveing Path !",
};
inline constexpr MessageText kMsgAssignSavePath = {
    "\n請指定存檔路徑 !",
    "\n请指定存档路径 !",
    "\nPlease Assign save path !",
};
inline constexpr MessageText kMsgNameFormTitle = {
    "NC 檔名設定 ",
    "NC 文件名设置 ",
    "NC File Name Setting ",
};
inline constexpr MessageText kMsgPathNameLabel = {
    "路徑名稱 :",
    "路径名称 :",
    "PathName :",
};
inline constexpr MessageText kMsgNcNameLabel = {
    "NC 檔名 :",
    "NC 文件名 :",
    "NC name :",
};
inline constexpr MessageText kMsgBrowse = {
    "瀏覽",
    "浏览",
    "Browse",
};
inline constexpr MessageText kMsgOk = {
    " 確定 ",
    " 确定 ",
    " OK ",
};
inline constexpr MessageText kMsgSelectFolder = {
    "請選擇目錄 ",
    "请选择目录 ",
    "Please Select director ",
};
inline constexpr MessageText kMsgWarningTitle = {
    "警告 !!! ",
    "警告 !!! ",
    "Warning !!! ",
};
inline constexpr MessageText kMsgFileExists = {
    " 檔案已存在 !! ",
    " 文件已存在 !! ",
    " File exist !! ",
};
inline constexpr MessageText kMsgOverwrite = {
    " 是否覆蓋 ? ",
    " 是否覆盖 ? ",
    " OverWrite  it? ",
};
inline constexpr MessageText kMsgYes = {"是", "是", "Yes"};
inline constexpr MessageText kMsgNo = {"否 ", "否 ", "No "};
inline constexpr MessageText kMsgCantOpenNc = {
    "\n 無法開啟 nc_name 輸出檔  ",
    "\n 无法打开 nc_name 输出文件  ",
    "\n Can't open nc_name output file  ",
};
inline constexpr MessageText kMsgPressEnterToContinue = {
    "\n請按 ENTER 繼續... ",
    "\n请按 ENTER 继续... ",
    "\nPress ENTER to continue... ",
};
inline constexpr MessageText kMsgPathWithoutElements = {
    "\n路徑沒有元素, 略過.",
    "\n路径没有元素, 略过.",
    "\nA stored path without elements is skipped.",
};
inline constexpr MessageText kMsgCopyToRowLayerFailed = {
    "\n路徑無法複製到圖層 \"%d\"; 未寫入 NC 檔.\n",
    "\n路径无法复制到图层 \"%d\"; 未写入 NC 文件.\n",
    "\nThe paths could not be copied onto the layer \"%d\"; no NC file was written.\n",
};

}  // namespace optgrind
