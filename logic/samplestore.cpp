#include "logic/samplestore.h"

#include <algorithm>
#include <ctime>

#include "logic/captions.h"
#include "logic/messages.h"
#include "logic/textrules.h"

namespace tintavis {
namespace {

// Column 0 of rows 0 to 50: the row numbers, written once.
const std::array<std::string, SampleStore::kStoredRows>& RowNumbers() {
  static const auto numbers = [] {
    std::array<std::string, SampleStore::kStoredRows> n;
    for (int r = 1; r < SampleStore::kStoredRows; ++r) n[static_cast<std::size_t>(r)] = std::to_string(r);
    return n;
  }();
  return numbers;
}

std::array<std::string, kGridColumns> StartHeader() {
  std::array<std::string, kGridColumns> header;
  for (int c = 0; c < kGridColumns; ++c) header[static_cast<std::size_t>(c)] = headings::kGrid[static_cast<std::size_t>(c)];
  return header;
}

// "--" with any blanks around it: the text of Intensity and Tonality for a white wine.
bool IsNotApplicable(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first != std::string_view::npos && text.substr(first, text.find_last_not_of(' ') - first + 1) == "--";
}

std::string_view CaptionOf(std::string_view name, Language language) {
  for (const captions::Caption& c : captions::kCaptions) {
    if (c.target == captions::Target::MainWidget && c.name == name) return c.In(language);
  }
  return {};
}

std::string TimeText(std::chrono::system_clock::time_point at) {
  const std::time_t t = std::chrono::system_clock::to_time_t(at);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return {};
  char text[32];
  return std::string(text, std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local));
}

}  // namespace

SampleStore::SampleStore() { state_.header = StartHeader(); }

const std::string& SampleStore::Cell(int row, int column) const {
  static const std::string empty;
  if (row < 0 || row >= kStoredRows || column < 0 || column >= kGridColumns) return empty;
  const auto c = static_cast<std::size_t>(column);
  if (row == 0) return state_.header[c];
  if (column == kNumberColumn) return RowNumbers()[static_cast<std::size_t>(row)];
  if (HoldsSample(row)) return Sample(row).cells[c - 1];
  return state_.loose[static_cast<std::size_t>(row)][c - 1];
}

void SampleStore::SetHeaderCell(int column, std::string text) {
  if (column >= 0 && column < kGridColumns) state_.header[static_cast<std::size_t>(column)] = std::move(text);
}

int SampleStore::Append(StoredSample sample) {
  if (Full()) return 0;
  const int row = SampleCount() + 1;
  state_.loose[static_cast<std::size_t>(row)] = {};
  state_.samples.push_back(std::move(sample));
  // After row n is written the grid shows max(13, n + 1) rows, at most 51.
  state_.rowCount = std::max(state_.rowCount, std::min(row + 1, kStoredRows));
  return row;
}

void SampleStore::Clear() {
  // Rows 1 to NextRow lose their texts; text typed after NextRow stays.
  const int next = NextRow();
  for (int r = 1; r <= next; ++r) state_.loose[static_cast<std::size_t>(r)] = {};
  state_.samples.clear();
  state_.rowCount = kStartRows;
  state_.header = StartHeader();
}

void SampleStore::Load(std::vector<StoredSample> samples) {
  Clear();
  if (samples.size() > static_cast<std::size_t>(kMaxSamples)) samples.resize(kMaxSamples);
  const int count = static_cast<int>(samples.size());
  for (int r = 1; r <= count; ++r) state_.loose[static_cast<std::size_t>(r)] = {};
  state_.samples = std::move(samples);
  // Lines of the file, header included.
  const int lines = count + 1;
  if (lines <= kStartRows - 1) {
    // Text typed into the rows below the samples goes with the old grid.
    for (int r = lines; r <= kStartRows; ++r) state_.loose[static_cast<std::size_t>(r)] = {};
    state_.rowCount = kStartRows;
  } else {
    state_.rowCount = lines >= kMaxSamples ? kStoredRows : lines;
  }
}

bool SampleStore::RemoveRows(int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, kStoredRows - 1);
  if (first > last) return false;
  bool changed = false;
  for (int r = std::max(first, SampleCount() + 1); r <= last; ++r) {
    SampleRecord& typed = state_.loose[static_cast<std::size_t>(r)];
    if (std::any_of(typed.begin(), typed.end(), [](const std::string& t) { return !t.empty(); })) {
      typed = {};
      changed = true;
    }
  }
  const int lastSample = std::min(last, SampleCount());
  if (first <= lastSample) {
    state_.samples.erase(state_.samples.begin() + (first - 1), state_.samples.begin() + lastSample);
    changed = true;
  }
  return changed;
}

CellEdit SampleStore::CheckEdit(int row, int column, std::string_view text, char separator, Language language) const {
  CellEdit edit;
  if (row < 1 || row >= kStoredRows || column <= kNumberColumn || column >= kGridColumns) return edit;
  if (column == kNameColumn) {
    // Pasted text may hold characters that would split the row in the data file.
    edit.accepted = true;
    edit.text = ReplaceFieldBreakers(text).text;
    return edit;
  }
  if (text.empty() && !HoldsSample(row)) {
    edit.accepted = true;
    return edit;
  }
  if ((column == kIntensityColumn || column == kTonalityColumn) && IsNotApplicable(text)) {
    edit.accepted = true;
    edit.text = text;
    return edit;
  }
  std::string swapped = SwapSeparator(text, separator);
  const DecimalParse parsed = ParseDecimal(swapped, separator);
  if (!parsed.ok()) {
    edit.refusal = {MessageDisplay::ErrorDisplay, WithFullStop(CellNotANumberMessage(text, language))};
    return edit;
  }
  edit.accepted = true;
  edit.text = std::move(swapped);
  edit.value = parsed.value;
  return edit;
}

void SampleStore::ApplyEdit(int row, int column, const CellEdit& edit) {
  if (!edit.accepted || row < 1 || row >= kStoredRows || column <= kNumberColumn || column >= kGridColumns) return;
  const auto c = static_cast<std::size_t>(column);
  if (!HoldsSample(row)) {
    state_.loose[static_cast<std::size_t>(row)][c - 1] = edit.text;
    return;
  }
  StoredSample& sample = state_.samples[static_cast<std::size_t>(row) - 1];
  sample.cells[c - 1] = edit.text;
  if (column >= kFirstValueColumn) {
    sample.values[c - kFirstValueColumn] = edit.value;
    sample.edited = true;
  }
}

ResultsGrid SampleStore::Texts() const {
  ResultsGrid grid;
  for (int c = 0; c < kGridColumns; ++c) grid.SetCell(0, c, state_.header[static_cast<std::size_t>(c)]);
  for (int r = 1; r < kStoredRows; ++r) {
    for (int c = 1; c < kGridColumns; ++c) grid.SetCell(r, c, Cell(r, c));
  }
  grid.SetRowCount(state_.rowCount);
  return grid;
}

StoredSample CalculatedSample(const RowWritten& row, const SampleForm& form, char separator,
                              std::chrono::system_clock::time_point at) {
  StoredSample sample;
  sample.cells = FormatResultRow(row.name, row.colour, row.wine, separator);
  sample.origin = SampleOrigin::Calculated;
  sample.values = ValuesOf(row.colour, row.wine);
  sample.input = row.input;
  sample.absorbanceTexts = {form.primLong, form.segLong, form.tercLong, form.cuartLong};
  sample.calculatedAt = at;
  return sample;
}

StoredSample OpenedSample(SampleRecord cells, RowValues values) {
  StoredSample sample;
  sample.cells = std::move(cells);
  sample.origin = SampleOrigin::OpenedFromFile;
  sample.values = values;
  return sample;
}

std::vector<std::string> SampleDetails(const StoredSample& sample, Language language) {
  std::vector<std::string> lines;
  if (sample.input) {
    const SampleInput& in = *sample.input;
    lines.push_back(std::string(captions::kDetailsWine.In(language)) +
                    std::string(CaptionOf(in.wine == WineType::RedRose ? "RadioButton1" : "RadioButton2", language)));
    lines.push_back(std::string(captions::kDetailsMeasurementPath.In(language)) + std::to_string(in.d) + " mm");
    lines.push_back(std::string(captions::kDetailsResultPath.In(language)) + std::to_string(in.r) + " mm");
    if (sample.origin == SampleOrigin::Calculated) {
      static constexpr std::array<std::string_view, 4> kWavelengths = {"450 nm ", "520 nm ", "570 nm ", "630 nm "};
      std::string line(captions::kDetailsAbsorbances.In(language));
      for (std::size_t k = 0; k < 4; ++k) {
        if (k > 0) line += "; ";
        line += kWavelengths[k];
        line += sample.absorbanceTexts[k];
      }
      lines.push_back(std::move(line));
    }
  }
  if (sample.calculatedAt) {
    lines.push_back(std::string(captions::kDetailsTime.In(language)) + TimeText(*sample.calculatedAt));
  }
  const BilingualText origin = sample.origin == SampleOrigin::Calculated       ? captions::kOriginCalculated
                               : sample.origin == SampleOrigin::OpenedFromFile ? captions::kOriginOpened
                                                                               : captions::kOriginSpectrum;
  lines.push_back(std::string(captions::kDetailsOrigin.In(language)) + std::string(origin.In(language)));
  if (sample.edited) lines.emplace_back(captions::kEditedByHand.In(language));
  return lines;
}

std::string BlockText(const SampleStore& store, int firstRow, int lastRow, int firstColumn, int lastColumn) {
  std::string text;
  auto line = [&](int row) {
    for (int c = firstColumn; c <= lastColumn; ++c) {
      if (c > firstColumn) text += '\t';
      text += store.Cell(row, c);
    }
    text += '\n';
  };
  line(0);
  for (int r = std::max(firstRow, 1); r <= lastRow; ++r) line(r);
  return text;
}

}  // namespace tintavis
