// The messages that the profile geometry shows to the user.
#pragma once

#include "host/messages.h"

namespace optgrind::geometry_messages {

inline constexpr MessageText kAcosOutOfRange = {
    "\nacos: 運算元或參數值錯誤 !! 無法計算 .", "\nacos: 运算元或参数值错误 !! 无法计算 .",
    "\nacos: Operator or parmeter value error !! Can't calculate ."};

inline constexpr MessageText kLayerNameNull = {"\n圖層名稱是空的!", "\n图层名称是空的!",
                                               "\nlayer name is null!"};

inline constexpr MessageText kLayerNotExist = {"\n圖層不存在 !", "\n图层不存在 !",
                                               "\nThe layer is not exist !"};

}  // namespace optgrind::geometry_messages
