#include "logic/workbooksheets.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <set>

#include "logic/messages.h"
#include "logic/resultsgrid.h"
#include "logic/samplestore.h"
#include "logic/version.h"
#include "logic/workbooktexts.h"

namespace tintavis {
namespace {

namespace wt = workbooktexts;

// sRGB channel 0 to 255 to linear light.
double Linear(int channel) {
  const double c = std::clamp(channel, 0, 255) / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

constexpr std::string_view kTimeFormat = "yyyy-mm-dd hh:mm:ss";
constexpr int kValueCount = 10;

void AddLine(Sheet& sheet, BilingualText label, std::string value, Language language) {
  sheet.rows.push_back({SheetCell::Heading(label.In(language)), SheetCell::Of(std::move(value))});
}

}  // namespace

Ink InkOn(SwatchColour fill) {
  // The text colour of the larger contrast ratio, from the fill's relative luminance.
  const double luminance = 0.2126 * Linear(fill.red) + 0.7152 * Linear(fill.green) + 0.0722 * Linear(fill.blue);
  const double onBlack = (luminance + 0.05) / 0.05;
  const double onWhite = 1.05 / (luminance + 0.05);
  return onBlack >= onWhite ? Ink::Black : Ink::White;
}

SheetCell SheetCell::Of(std::string text) {
  SheetCell cell;
  cell.kind = Kind::Text;
  cell.text = std::move(text);
  return cell;
}

SheetCell SheetCell::Of(double number, std::string format) {
  SheetCell cell;
  cell.kind = Kind::Number;
  cell.number = number;
  cell.format = std::move(format);
  return cell;
}

SheetCell SheetCell::Of(bool flag) {
  SheetCell cell;
  cell.kind = Kind::Boolean;
  cell.flag = flag;
  return cell;
}

SheetCell SheetCell::Heading(std::string_view text) {
  SheetCell cell = Of(std::string(text));
  cell.bold = true;
  return cell;
}

std::string DecimalsFormat(int decimals) {
  std::string format = "0";
  if (decimals > 0) format += '.' + std::string(static_cast<std::size_t>(decimals), '0');
  return format;
}

double SpreadsheetTime(std::chrono::system_clock::time_point at) {
  const std::time_t t = std::chrono::system_clock::to_time_t(at);
  std::tm local{};
  localtime_r(&t, &local);
  // Days from 1899-12-30 to 1970-01-01, then the local calendar date and time of day; the
  // seconds' fraction is dropped as the grid's details show none.
  const auto date = std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                                std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                                std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
  const double days = static_cast<double>(std::chrono::sys_days{date}.time_since_epoch().count()) + 25569.0;
  return days + (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
}

std::string SheetName(std::string_view name) {
  if (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return std::string(name);
}

Sheet SamplesSheet(const std::vector<StoredSample>& samples, Language language) {
  Sheet sheet;
  sheet.name = wt::kSamplesSheet.In(language);
  SheetRow headings;
  for (const BilingualText& h : wt::kSampleHeadings) headings.push_back(SheetCell::Heading(h.In(language)));
  sheet.rows.push_back(std::move(headings));
  sheet.columnWidths.assign(wt::kSampleColumns, 10);
  sheet.columnWidths[0] = 24;
  sheet.columnWidths[11] = 16;
  sheet.columnWidths[18] = 20;

  for (const StoredSample& sample : samples) {
    SheetRow row;
    SheetCell name = SheetCell::Of(SheetName(sample.cells[0]));
    const RowValues& v = sample.values;
    const auto known = [](const std::optional<double>& x) { return x && std::isfinite(*x); };
    if (known(v[0]) && known(v[1]) && known(v[2])) {
      name.fill = DisplayColour(*v[0], *v[1], *v[2]);
      name.ink = InkOn(*name.fill);
    }
    row.push_back(std::move(name));
    for (int k = 0; k < kValueCount; ++k) {
      const auto& value = v[static_cast<std::size_t>(k)];
      row.push_back(known(value) ? SheetCell::Of(*value, DecimalsFormat(kValueFormats[k].decimals))
                                                   : SheetCell::Blank());
    }
    if (sample.origin != SampleOrigin::OpenedFromFile && sample.input) {
      const SampleInput& in = *sample.input;
      row.push_back(SheetCell::Of(std::string((in.wine == WineType::RedRose ? wt::kRedRose : wt::kWhiteBrandy).In(language))));
      row.push_back(SheetCell::Of(static_cast<double>(in.d), "0"));
      row.push_back(SheetCell::Of(static_cast<double>(in.r), "0"));
      // Spectrum rows were measured whole: they have no four absorbances.
      for (const double a : {in.a450, in.a520, in.a570, in.a630}) {
        row.push_back(sample.origin == SampleOrigin::Calculated ? SheetCell::Of(a) : SheetCell::Blank());
      }
    } else {
      row.resize(row.size() + 7);
    }
    row.push_back(sample.calculatedAt ? SheetCell::Of(SpreadsheetTime(*sample.calculatedAt), std::string(kTimeFormat))
                                      : SheetCell::Blank());
    row.push_back(sample.origin == SampleOrigin::OpenedFromFile ? SheetCell::Blank() : SheetCell::Of(sample.edited));
    sheet.rows.push_back(std::move(row));
  }
  return sheet;
}

Sheet MethodSheet(const std::vector<StoredSample>& samples, Language language) {
  Sheet sheet;
  sheet.name = wt::kMethodSheet.In(language);
  sheet.columnWidths = {28, 100};
  AddLine(sheet, wt::kIlluminantLabel, "D65", language);
  AddLine(sheet, wt::kObserverLabel, std::string(wt::kObserver), language);
  AddLine(sheet, wt::kMethodLabel, std::string(wt::kMethod.In(language)), language);
  std::set<std::int32_t> paths;
  bool spectra = false;
  bool opened = false;
  for (const StoredSample& s : samples) {
    if (s.input && s.origin != SampleOrigin::OpenedFromFile) paths.insert(s.input->r);
    spectra = spectra || s.origin == SampleOrigin::FromSpectrum;
    opened = opened || s.origin == SampleOrigin::OpenedFromFile;
  }
  if (spectra) sheet.rows.push_back({SheetCell::Blank(), SheetCell::Of(std::string(wt::kSpectrumMethod.In(language)))});
  std::string lengths;
  for (const std::int32_t r : paths) lengths += (lengths.empty() ? "" : ", ") + std::to_string(r);
  AddLine(sheet, wt::kResultPathLabel,
          paths.empty() ? std::string(wt::kResultPathUnknown.In(language)) : lengths + " mm", language);
  if (opened) AddLine(sheet, wt::kOpenedRowsLabel, std::string(wt::kOpenedRows.In(language)), language);
  AddLine(sheet, wt::kProgramLabel, "TINTAVIS " + std::string(kProgramVersion), language);
  return sheet;
}

Sheet DifferencesSheet(const DifferenceTable& table, Language language) {
  Sheet sheet;
  sheet.name = wt::kDifferencesSheet.In(language);
  sheet.columnWidths = {6, 24, 10, 10, 10, 10, 10, 10, 10};
  // A typed target replaces the reference row: the differences are to it.
  AddLine(sheet, table.againstTarget ? wt::kTargetLabel : wt::kReferenceLabel, SheetName(table.reference), language);
  SheetRow headings;
  for (const std::string& h : DifferenceHeader(language)) headings.push_back(SheetCell::Heading(h));
  const bool checked = !table.checks.empty();
  if (checked) {
    for (const std::string& h : CheckHeader(table.formula, language)) headings.push_back(SheetCell::Heading(h));
  }
  sheet.rows.push_back(std::move(headings));
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    SheetRow row{SheetCell::Of(static_cast<double>(i + 1), "0"), SheetCell::Of(SheetName(table.rows[i][1]))};
    const auto& numbers = i < table.values.size() ? table.values[i] : std::nullopt;
    for (int k = 0; k < 7; ++k) {
      row.push_back(numbers ? SheetCell::Of((*numbers)[static_cast<std::size_t>(k)], DecimalsFormat(2)) : SheetCell::Blank());
    }
    if (checked) {
      const RowCheck& check = table.checks[i];
      row.push_back(check.expandedValue ? SheetCell::Of(*check.expandedValue, DecimalsFormat(2)) : SheetCell::Blank());
      row.push_back(check.verdict ? SheetCell::Of(std::string(VerdictText(*check.verdict, language))) : SheetCell::Blank());
    }
    sheet.rows.push_back(std::move(row));
  }
  if (!table.message.empty()) sheet.rows.push_back({SheetCell::Of(table.message)});
  // The rule goes with the verdicts, and the count under them.
  if (checked) {
    sheet.rows.push_back({SheetCell::Of(table.rule)});
    sheet.rows.push_back({SheetCell::Of(table.conforming)});
  }
  return sheet;
}

std::string WorkbookMessage(BilingualText text, std::string_view argument, Language language) {
  return Filled(text.In(language), {argument});
}

}  // namespace tintavis
