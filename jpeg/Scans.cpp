// Scan grouping.
#include "Scans.h"

namespace jpeg {

std::vector<std::vector<int>> GroupScans(const std::vector<Component>& components) {
  constexpr int kMaxBlocksPerMcu = 10;
  constexpr size_t kMaxComponentsPerScan = 4;
  std::vector<std::vector<int>> scans;
  std::vector<int> current;
  int blocks = 0;
  for (int i = 0; i < static_cast<int>(components.size()); ++i) {
    const int own = components[i].h * components[i].v;
    if (!current.empty() && blocks + own > kMaxBlocksPerMcu) {
      scans.push_back(current);
      current.clear();
      blocks = 0;
    }
    current.push_back(i);
    blocks += own;
    if (current.size() == kMaxComponentsPerScan || own > kMaxBlocksPerMcu) {
      scans.push_back(current);
      current.clear();
      blocks = 0;
    }
  }
  if (!current.empty()) scans.push_back(current);
  return scans;
}

}  // namespace jpeg
