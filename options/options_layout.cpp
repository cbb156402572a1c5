#include "options/options_layout.h"

#include <algorithm>
#include <cstddef>

namespace norvaket {
namespace {

int Right(const RowPart& part) {
  return part.left + part.width;
}

// The least of `pick` over the rows.
template <typename Pick>
int LeastOver(const std::vector<std::array<RowPart, 4>>& rows, Pick pick) {
  int least = pick(rows.front());
  for (const auto& row : rows) least = std::min(least, pick(row));
  return least;
}

void MoveColumns(std::vector<std::array<RowPart, 4>>& rows, std::size_t first, int by) {
  for (auto& row : rows) {
    for (std::size_t part = first; part < row.size(); ++part) row[part].left += by;
  }
}

}  // namespace

void LayOutSentenceRows(std::vector<std::array<RowPart, 4>>& rows, const SentenceMetrics& metrics) {
  if (rows.empty()) return;
  for (auto& row : rows) {
    for (RowPart& part : row) part.width = std::max(part.width, part.wanted_width);
  }
  // Column by column, every row's part starts where the latest of them must.
  for (std::size_t column = 1; column < 4; ++column) {
    int left = 0;
    for (const auto& row : rows) {
      left = std::max({left, row[column].left, Right(row[column - 1]) + metrics.gap});
    }
    for (auto& row : rows) row[column].left = left;
  }
  const int overflow =
      -LeastOver(rows, [&](const auto& row) { return metrics.panel_width - metrics.gap - Right(row[3]); });
  if (overflow <= 0) return;
  const int room = std::max(
      LeastOver(rows, [&](const auto& row) { return row[1].left - Right(row[0]) - metrics.gap; }), 0);
  const int shift = std::min(overflow, room);
  MoveColumns(rows, 1, -shift);
  const int spare = std::max(
      LeastOver(rows,
                [&](const auto& row) {
                  return row[kSentenceValueBoxPart].width - metrics.least_value_box_width;
                }),
      0);
  const int squeeze = std::min(overflow - shift, spare);
  for (auto& row : rows) row[kSentenceValueBoxPart].width -= squeeze;
  MoveColumns(rows, kSentenceValueBoxPart + 1, -squeeze);
}

void LayOutOptionsSentences(const SentenceMetrics& metrics,
                            const std::function<RowPart(std::size_t)>& measure,
                            const std::function<void(std::size_t, const RowPart&)>& place) {
  std::vector<std::array<RowPart, 4>> rows;
  for (const auto& names : kOptionsSentenceRows) {
    std::array<RowPart, 4>& row = rows.emplace_back();
    for (std::size_t part = 0; part < row.size(); ++part) {
      row[part] = measure(OptionsControlIndex(names[part]));
    }
  }
  LayOutSentenceRows(rows, metrics);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (std::size_t part = 0; part < rows[row].size(); ++part) {
      place(OptionsControlIndex(kOptionsSentenceRows[row][part]), rows[row][part]);
    }
  }
}

}  // namespace norvaket
