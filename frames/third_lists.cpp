#include "frames/third_lists.h"

#include <algorithm>

namespace ac {

TacThirdLists MakeThirdLists(const std::array<std::string, kThirdPartyCount>& texts) {
  TacThirdLists lists;
  for (size_t i = 0; i < texts.size(); ++i) {
    std::string_view rest = texts[i];
    while (!rest.empty()) {
      const size_t end = std::min(rest.find('\n'), rest.size());
      std::string_view line = rest.substr(0, end);
      rest.remove_prefix(std::min(end + 1, rest.size()));
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
      if (!line.empty()) lists[i].emplace_back(line);
    }
  }
  return lists;
}

int FindThirdList(const TacThirdLists& lists, std::string_view className) {
  for (size_t i = 0; i < lists.size(); ++i)
    if (std::find(lists[i].begin(), lists[i].end(), className) != lists[i].end())
      return static_cast<int>(i);
  return -1;
}

}  // namespace ac
