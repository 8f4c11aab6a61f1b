#include "skin/parent_chains.h"

namespace ac {

namespace {

constexpr int32_t kUnknown = -2;  // not asked yet
constexpr int32_t kOnPath = -3;   // on the walk in progress

}  // namespace

TParentChains::TParentChains(std::vector<int32_t> parents) : FParents(std::move(parents)) {}

TChainHit TParentChains::Find(TChainQuery kind, std::string_view key, int32_t start,
                              const std::function<bool(int32_t)>& holds, TStart asked) {
  // Most chains are short: a few links are walked without the memo, whose
  // key lookup would cost more than they do. Cycles are longer than that
  // walk or are seen as a section met twice.
  constexpr int kShortWalk = 3;
  {
    int32_t i = start;
    for (int32_t depth = 0; depth <= kShortWalk; ++depth) {
      if ((depth > 0 || asked == TStart::Unknown) && holds(i)) return {i, depth};
      i = FParents[static_cast<std::size_t>(i)];
      if (i < 0 || i == start) return {};
    }
  }

  auto& memos = FMemos[static_cast<std::size_t>(kind)];
  auto it = memos.find(key);
  if (it == memos.end()) it = memos.emplace(std::string(key), TMemo{}).first;
  TMemo& memo = it->second;
  if (memo.Holder.size() != FParents.size()) {
    memo.Holder.assign(FParents.size(), kUnknown);
    memo.Depth.assign(FParents.size(), 0);
  }

  // Walk up until a section that holds the key, a section answered before,
  // the end of the chain, or a section of this very walk. Every section
  // walked over lacks the key.
  FPath.clear();
  TChainHit end;
  bool cycle = false;
  for (int32_t i = start;;) {
    if (i < 0) break;
    const auto at = static_cast<std::size_t>(i);
    const int32_t known = memo.Holder[at];
    if (known == kOnPath) {
      // A cycle of sections without the key: nothing on this walk finds it,
      // since each of their chains goes round that cycle.
      cycle = true;
      break;
    }
    if (known != kUnknown) {
      end = {known, known < 0 ? 0 : memo.Depth[at]};
      break;
    }
    if (holds(i)) {
      memo.Holder[at] = i;
      memo.Depth[at] = 0;
      end = {i, 0};
      break;
    }
    memo.Holder[at] = kOnPath;
    FPath.push_back(i);
    i = FParents[at];
  }
  // Each section of the walk answers as the section above it, one link further.
  for (std::size_t k = FPath.size(); k-- > 0;) {
    const auto at = static_cast<std::size_t>(FPath[k]);
    if (cycle || end.Holder < 0) {
      memo.Holder[at] = -1;
      memo.Depth[at] = 0;
    } else {
      ++end.Depth;
      memo.Holder[at] = end.Holder;
      memo.Depth[at] = end.Depth;
    }
  }
  const auto s = static_cast<std::size_t>(start);
  return {memo.Holder[s], memo.Holder[s] < 0 ? 0 : memo.Depth[s]};
}

void TParentChains::BuildChildren() const {
  if (FChildStart.size() == FParents.size() + 1) return;
  FChildStart.assign(FParents.size() + 1, 0);
  for (int32_t p : FParents)
    if (p >= 0) ++FChildStart[static_cast<std::size_t>(p) + 1];
  for (std::size_t i = 1; i < FChildStart.size(); ++i) FChildStart[i] += FChildStart[i - 1];
  FChildren.assign(static_cast<std::size_t>(FChildStart.back()), 0);
  std::vector<int32_t> next(FChildStart.begin(), FChildStart.end() - 1);
  for (std::size_t i = 0; i < FParents.size(); ++i)
    if (const int32_t p = FParents[i]; p >= 0)
      FChildren[static_cast<std::size_t>(next[static_cast<std::size_t>(p)]++)] =
          static_cast<int32_t>(i);
}

void TParentChains::Forget(TChainQuery kind, std::string_view key, int32_t section) {
  auto& memos = FMemos[static_cast<std::size_t>(kind)];
  auto it = memos.find(key);
  if (it == memos.end() || section < 0 || static_cast<std::size_t>(section) >= FParents.size())
    return;
  TMemo& memo = it->second;
  if (memo.Holder.size() != FParents.size()) return;
  BuildChildren();
  // An answer that depends on a section was found by a walk through every
  // section between, so the sections to forget are reached child by child
  // through answered ones; a holder of its own is not affected.
  std::vector<int32_t> stack{section};
  memo.Holder[static_cast<std::size_t>(section)] = kUnknown;
  while (!stack.empty()) {
    const auto at = static_cast<std::size_t>(stack.back());
    stack.pop_back();
    for (int32_t c = FChildStart[at]; c < FChildStart[at + 1]; ++c) {
      const int32_t child = FChildren[static_cast<std::size_t>(c)];
      const auto ca = static_cast<std::size_t>(child);
      if (memo.Holder[ca] == kUnknown || memo.Holder[ca] == child) continue;
      memo.Holder[ca] = kUnknown;
      stack.push_back(child);
    }
  }
}

void TParentChains::ForgetKey(TChainQuery kind, std::string_view key) {
  auto& memos = FMemos[static_cast<std::size_t>(kind)];
  if (auto it = memos.find(key); it != memos.end()) memos.erase(it);
}

bool TParentChains::OnCycle(int32_t section) const {
  if (!FCyclesKnown) {
    // Colour each walk; a walk that meets its own colour has found a cycle,
    // whose sections are those from that meeting point on.
    const std::size_t n = FParents.size();
    FOnCycle.assign(n, false);
    std::vector<int32_t> colour(n, -1);
    for (std::size_t s = 0; s < n; ++s) {
      int32_t i = static_cast<int32_t>(s);
      while (i >= 0 && colour[static_cast<std::size_t>(i)] < 0) {
        colour[static_cast<std::size_t>(i)] = static_cast<int32_t>(s);
        i = FParents[static_cast<std::size_t>(i)];
      }
      if (i < 0 || colour[static_cast<std::size_t>(i)] != static_cast<int32_t>(s)) continue;
      const int32_t first = i;
      do {
        FOnCycle[static_cast<std::size_t>(i)] = true;
        i = FParents[static_cast<std::size_t>(i)];
      } while (i != first);
    }
    FCyclesKnown = true;
  }
  return section >= 0 && static_cast<std::size_t>(section) < FOnCycle.size() &&
         FOnCycle[static_cast<std::size_t>(section)];
}

}  // namespace ac
