#include "result_line.h"

std::string resultLine(const GameResult& result) {
  std::string days = std::to_string(result.days);
  if (result.extinct) {
    return "記録：" + days + "日";
  }
  return "打ち切り：" + days + "日（全階層が生存）";
}
