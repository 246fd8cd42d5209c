// The messages, prompts and box texts of the path definition.
#pragma once

#include "host/messages.h"

namespace optgrind::pathdef_messages {

inline constexpr MessageText kAssignOrigin = {
    "\n指定 p(0,0) 點:", "\n指定 p(0,0) 点:", "\nAssign p(0,0) point:"};
inline constexpr MessageText kStartPrompt = {"\n請指定研磨起點", "\n请指定研磨起点",
                                             "\nPlease Assign Grinding Start Point"};
inline constexpr MessageText kPickNotOnEntity = {"\n警告 !! 點選位置必須在圖元上!!",
                                                 "\n警告 !! 点选位置必须在图元上!!",
                                                 "\nWarning !! picked point have to on Entity!!"};
inline constexpr MessageText kNotClosedLoop = {
    "\n ##--- 不是封閉迴路 , 請選取圖元以連接....", "\n ##--- 不是封闭回路 , 请选取图元以连接....",
    "\n ##--- It's Not a closed loop , please select entities to joint it...."};
inline constexpr MessageText kSelectPline = {"\n 錯誤 !! 請選取聚合線圖元 !!\n",
                                             "\n 错误 !! 请选取多段线图元 !!\n",
                                             "\n Error !! Please select Pline entity !!\n"};
inline constexpr MessageText kChangeDirection = {"\n變更方向 ?(Y/N)<否>\n ", "\n变更方向 ?(Y/N)<否>\n ",
                                                 "\nChange direction ?(Y/N)<No>\n "};
inline constexpr MessageText kToolDownPrompt = {
    "\n請指定下刀點/或按 Enter 結束 :(over_len=%.3f):<OverCut(%s)>",
    "\n请指定下刀点/或按 Enter 结束 :(over_len=%.3f):<OverCut(%s)>",
    "\nPlease Assign Tool Down Point/or press Enter to quit :(over_len=%.3f):<OverCut(%s)>"};
inline constexpr MessageText kToolUpPrompt = {"\n請指定抬刀點(over_len=%.3f):<OverCut(%s)>",
                                              "\n请指定抬刀点(over_len=%.3f):<OverCut(%s)>",
                                              "\nPlease Assign Tool Up poit(over_len=%.3f):<OverCut(%s)>"};
inline constexpr MessageText kMoreToolUp = {
    "\n請再指定抬刀點 :", "\n请再指定抬刀点 :", "\nmore ToolUp Point Please :"};
inline constexpr MessageText kApproachDamage = {
    "進刀長度會損傷輪廓表面 故取消 !! ", "进刀长度会损伤轮廓表面 故取消 !! ",
    "Approach length Will damage the profile surface So cancel it !! "};
inline constexpr MessageText kOverCutDamage = {
    "過切會損傷輪廓表面 故取消 !! ", "过切会损伤轮廓表面 故取消 !! ",
    "OverCutting Will damage the profile surface So cancel it !! "};
inline constexpr MessageText kSmallWarning = {"警告 !!!", "警告 !!!", "Warning !!!"};
inline constexpr MessageText kSmallSegment = {"有小線段(長度 =%.4f )", "有小线段(长度 =%.4f )",
                                              "There have small segment(Length =%.4f )"};
inline constexpr MessageText kSmallArc = {"有小圓弧 (半徑 =%.4f )", "有小圆弧 (半径 =%.4f )",
                                          "There have small ARC (Radius =%.4f )"};
inline constexpr MessageText kContinueTransfer = {"繼續轉換為線割路徑 ?", "继续转换为线割路径 ?",
                                                  "Continue transfer to wirecut path ?"};
inline constexpr MessageText kBoxTitle = {" ** 警告 ! ** ", " ** 警告 ! ** ", " ** Warning ! ** "};
inline constexpr MessageText kOk = {"確定", "确定", "OK"};
// Our own: a tool point that is not on the part of the profile still ahead.
inline constexpr MessageText kPointNotAhead = {
    "\n此點不在尚未處理的輪廓上 , 請重新指定 .", "\n此点不在尚未处理的轮廓上 , 请重新指定 .",
    "\nThe point is not on the profile still ahead; please pick again."};
// Our own: the profile cannot be joined or broken.
inline constexpr MessageText kProfileLocked = {
    "\n輪廓在鎖定的圖層上 , 請先解除鎖定 !!\n", "\n轮廓在锁定的图层上 , 请先解除锁定 !!\n",
    "\nThe profile lies on a locked layer; unlock the layer first !!\n"};
// Our own: the lists are full.
inline constexpr MessageText kTooManyLifts = {
    "\n一條路徑最多 %d 個抬刀點 ; 以已指定的點儲存路徑 .",
    "\n一条路径最多 %d 个抬刀点 ; 以已指定的点储存路径 .",
    "\nA path takes at most %d lifts; it is stored with the points given."};

}  // namespace optgrind::pathdef_messages
