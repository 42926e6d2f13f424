#include "recognition/fill_plan.h"

#include "text/codec.h"

#include <algorithm>

namespace orvane::recognition {

std::optional<char16_t> SingleCharacter(const QByteArray& text, text::Encoding encoding) {
  const std::optional<QString> decoded = text::Decode(text, encoding);
  if (!decoded || decoded->size() != 1) return std::nullopt;
  return decoded->front().unicode();
}

FillPlan PlanFill(std::span<const model::Code> codes, std::span<const Recognition> recognitions,
                  const TextOf& text_of, text::Encoding encoding, float threshold) {
  FillPlan plan;
  const size_t count = std::min(codes.size(), recognitions.size());
  for (size_t i = 0; i < count; ++i) {
    const model::Code& code = codes[i];
    const Recognition& recognition = recognitions[i];
    const QByteArray text = text_of(code);
    const bool read = recognition.has_ink && !recognition.best.empty();
    const Match best = read ? recognition.best.front() : Match{};
    if (!text.isEmpty()) {
      if (read && SingleCharacter(text, encoding) != best.character) {
        plan.mismatches.push_back({code, text, best});
      }
      continue;
    }
    if (!read) {
      plan.left.push_back({code, LeftBecause::kNoInk, best});
      continue;
    }
    if (best.score < threshold) {
      plan.left.push_back({code, LeftBecause::kBelowThreshold, best});
      continue;
    }
    const std::optional<QByteArray> bytes =
        text::EncodeText(QStringView(&best.character, 1), encoding);
    if (!bytes) {
      plan.left.push_back({code, LeftBecause::kNotInEncoding, best});
      continue;
    }
    plan.writes.push_back({code, *bytes, best});
  }
  return plan;
}

}  // namespace orvane::recognition
