// The messages of the post-processor for the user, in the three languages.
#pragma once

#include "host/messages.h"

namespace optgrind {

inline constexpr MessageText kMsgWcfFileNameIs = {
    "檔案名稱為 <%s> ",
    "文件名称为 <%s> ",
    "The FileName is <%s> ",
};
inline constexpr MessageText kMsgCantFindPostFile = {
    " **** 找不到後處理檔案 ***",
    " **** 找不到后处理文件 ***",
    " **** Can't find PostProcess file ***",
};
inline constexpr MessageText kMsgUnreasonableWcfSetting = {
    " WCF 檔案設定不合理 !",
    " WCF 文件设置不合理 !",
    " Unreasonable WCF file setting !",
};
inline constexpr MessageText kMsgPressEnter = {
    "\n請按 ENTER 繼續... ",
    "\n请按 ENTER 继续... ",
    "\nPress ENTER to continue... ",
};

}  // namespace optgrind
