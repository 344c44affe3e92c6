#include "logic/readings.h"

#include "logic/messages.h"
#include "logic/textrules.h"

namespace tintavis {
namespace {

// The fields of a line split at `separator`; a field between double quotes keeps the
// separators inside it and loses its quotes (doubled quotes inside become one).
std::vector<std::string> SplitFields(std::string_view line, char separator) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"' && Trim(fields.back()).empty()) {
      fields.back().clear();
      quoted = true;
    } else if (c == separator) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

char SeparatorOf(std::string_view line) {
  if (line.find('\t') != std::string_view::npos) return '\t';
  return line.find(';') != std::string_view::npos ? ';' : ',';
}

}  // namespace

std::optional<WineType> ParseWineType(std::string_view field) {
  const std::string key = FoldCase(Trim(field));
  if (key == "red" || key == "tinto, rosado" || key == "red, rosé") return WineType::RedRose;
  if (key == "white" || key == "blanco, brandy" || key == "white, brandy") return WineType::WhiteBrandy;
  return std::nullopt;
}

ReadingsText ParseReadings(std::string_view text, Language language) {
  ReadingsText out;
  std::size_t number = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (Trim(line).empty() || Trim(line).front() == '#') continue;
    const std::vector<std::string> fields = SplitFields(line, SeparatorOf(line));
    if (fields.size() != 8) {
      out.refused.push_back({number, Filled(readings::kFieldCount.In(language), {std::to_string(fields.size())})});
      continue;
    }
    const std::optional<WineType> wine = ParseWineType(fields[1]);
    if (!wine) {
      out.refused.push_back({number, Filled(readings::kUnknownWine.In(language), {Trim(fields[1])})});
      continue;
    }
    Reading reading{number, {}};
    reading.form.name = fields[0];
    reading.form.wine = *wine;
    reading.form.espesor = Trim(fields[2]);
    reading.form.referido = Trim(fields[3]);
    reading.form.primLong = Trim(fields[4]);
    reading.form.segLong = Trim(fields[5]);
    reading.form.tercLong = Trim(fields[6]);
    reading.form.cuartLong = Trim(fields[7]);
    out.readings.push_back(std::move(reading));
  }
  return out;
}

std::string ImportReport(const std::vector<RefusedReading>& refused, Language language) {
  if (refused.empty()) return {};
  std::string text(readings::kNotImported.In(language));
  for (const RefusedReading& r : refused) {
    text.append("\n").append(Filled(messages::kAtLine.In(language), {std::to_string(r.line)}));
    text.append(": ").append(r.message);
  }
  return text;
}

}  // namespace tintavis
