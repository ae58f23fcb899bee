#include <geoproj/export/svg_log.h>

#include <algorithm>
#include <cmath>

#include <geoproj/export/export_table.h>
#include <geoproj/export/method_kind.h>
#include <geoproj/export/sounding_log.h>
#include <geoproj/foundation/text_helpers.h>

namespace geoproj {
namespace {

constexpr double kMarginLeft = 70;
constexpr double kLayerWidth = 120;
constexpr double kPanelWidth = 170;
constexpr double kRangeStrip = 34;  // flushing and hammering columns beside a panel
constexpr double kGap = 32;
constexpr double kTitleHeight = 96;
constexpr double kPanelHead = 52;   // block heading, caption and value ticks above a panel
constexpr double kMarginBottom = 30;
constexpr double kPlotHeight = 640;  // what the depth scale aims at

// Colours of the layer column by material index, so equal soils look alike.
constexpr const char* kLayerFills[] = {"#e8d5a9", "#c9b37e", "#a7c4a0", "#d9c7b8", "#b8c9d9",
                                       "#e3b7a0", "#cfcfcf", "#f0e2b6", "#b5a48a", "#d6e2c4"};

// Numbers in the drawing never take a locale's decimal comma.
std::string N(double value) {
  const std::string text = ExportValue::Number(value, 2).text();
  return text.empty() ? "0" : text;
}

std::string Label(double value) {
  // The shortest text of a tick value (0.5, 2, 12.5).
  std::string text = ExportValue::Number(value, 3).text();
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text.empty() ? "0" : text;
}

const char kStyle[] =
    "<style>"
    "text{font-family:sans-serif;fill:#222}"
    ".title{font-size:20px;font-weight:bold}"
    ".info{font-size:13px}"
    ".block-title{font-size:12px;font-weight:bold}"
    ".panel-label,.depth-title{font-size:12px}"
    ".depth-tick,.value-tick{font-size:11px}"
    ".layer-name{font-size:11px}"
    ".range-head{font-size:11px;font-weight:bold}"
    ".grid{stroke:#ddd;stroke-width:1}"
    ".frame{fill:none;stroke:#444;stroke-width:1}"
    ".trace{fill:none;stroke:#1a4f9c;stroke-width:1.5}"
    ".flushing{fill:#3b82c4}"
    ".hammering{fill:#b03a2e}"
    ".layer{stroke:#666;stroke-width:0.8}"
    ".groundwater{fill:#2b7bd6}"
    "</style>\n";

}  // namespace

double SvgLog::TickStep(double span, int count) {
  if (!(span > 0) || !std::isfinite(span) || count < 1) return 1.0;
  const double raw = span / count;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0})
    if (raw <= m * power) return m * power;
  return 10.0 * power;
}

std::string SvgLog::Escape(const std::string& cp1252) {
  std::string clean;
  for (char c : cp1252)
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) clean += c;
  std::string out;
  for (char c : Cp1252ToUtf8(clean)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += c;
    }
  }
  return out;
}

SvgLog::SvgLog(const SoundingLog& log) : log_(log) {
  const double deepest = std::max(log.MaxDepth(), 0.5);
  depthStep_ = TickStep(deepest, 12);
  bottomDepth_ = std::ceil(deepest / depthStep_ - 1e-9) * depthStep_;
  if (bottomDepth_ < deepest) bottomDepth_ += depthStep_;
  pxPerMetre_ = std::min(kPlotHeight / bottomDepth_, 80.0);
  plotTop_ = kTitleHeight + kPanelHead;
}

std::string SvgLog::Write(const SoundingLog& log) { return SvgLog(log).Draw(); }

double SvgLog::Y(double depth) const { return plotTop_ + depth * pxPerMetre_; }

void SvgLog::Text(double x, double y, const std::string& utf8, const char* cls, const char* anchor) {
  body_ += "<text class=\"" + std::string(cls) + "\" x=\"" + N(x) + "\" y=\"" + N(y) + "\"";
  if (std::string(anchor) != "start") body_ += " text-anchor=\"" + std::string(anchor) + "\"";
  body_ += ">" + utf8 + "</text>\n";
}

std::string SvgLog::Draw() {
  double left = kMarginLeft;
  const bool column = !log_.layers.empty() || std::isfinite(log_.groundwater);
  std::string panels;
  if (column) {
    LayerColumn(left);
    left += kLayerWidth + kGap;
  }
  for (const SoundingBlock& block : log_.blocks) {
    if (block.kind->markRanges) {
      Ranges(left, block);
      left += kRangeStrip;
    }
    for (std::size_t p = 0; p < block.kind->panels.size(); ++p) left = Panel(left, block, p) + kGap;
  }
  width_ = std::max(left + 10, 460.0);
  DepthAxis();
  TitleBlock();
  const double height = Y(bottomDepth_) + kMarginBottom;
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" viewBox=\"0 0 " + N(width_) +
         " " + N(height) + "\" width=\"" + N(width_) + "\" height=\"" + N(height) + "\">\n" +
         "<title>" + Escape(log_.id) + "</title>\n" + kStyle +
         "<rect x=\"0\" y=\"0\" width=\"" + N(width_) + "\" height=\"" + N(height) +
         "\" fill=\"white\"/>\n" + body_ + "</svg>\n";
}

void SvgLog::TitleBlock() {
  body_ += "<rect class=\"frame\" x=\"8\" y=\"8\" width=\"" + N(width_ - 16) + "\" height=\"" +
           N(kTitleHeight - 20) + "\"/>\n";
  Text(20, 34, Escape(log_.id), "title");
  Text(20, 56, "Ground level " + N(log_.z) + " m", "info");
  Text(20, 76, "Stop code " + std::to_string(log_.stop), "info");
  Text(190, 56, "x " + ExportValue::Number(log_.x, 3).text() + "  y " +
                    ExportValue::Number(log_.y, 3).text(), "info");
  std::string methods;
  for (const SoundingBlock& block : log_.blocks)
    methods += (methods.empty() ? "" : ", ") + std::string(block.kind->title) +
               (block.date.empty() ? "" : " " + Escape(block.date));
  Text(190, 76, methods.empty() ? "No soundings" : methods, "info");
  if (std::any_of(log_.blocks.begin(), log_.blocks.end(),
                  [](const SoundingBlock& b) { return b.kind->markRanges != nullptr; }))
    Text(width_ - 20, 34, "F flushing, H hammering", "info", "end");
}

void SvgLog::DepthAxis() {
  const double axis = kMarginLeft - 8;
  body_ += "<line class=\"frame\" x1=\"" + N(axis) + "\" y1=\"" + N(Y(0)) + "\" x2=\"" + N(axis) +
           "\" y2=\"" + N(Y(bottomDepth_)) + "\"/>\n";
  const long ticks = std::min(std::lround(bottomDepth_ / depthStep_), 40L);
  for (long i = 0; i <= ticks; ++i) {
    const double depth = i * depthStep_;
    const std::string y = N(Y(depth));
    body_ += "<line class=\"grid\" x1=\"" + N(axis) + "\" y1=\"" + y + "\" x2=\"" +
             N(width_ - 10) + "\" y2=\"" + y + "\"/>\n";
    body_ += "<line class=\"frame\" x1=\"" + N(axis - 5) + "\" y1=\"" + y + "\" x2=\"" + N(axis) +
             "\" y2=\"" + y + "\"/>\n";
    body_ += "<text class=\"depth-tick\" data-depth=\"" + Label(depth) + "\" x=\"" + N(axis - 8) +
             "\" y=\"" + N(Y(depth) + 4) + "\" text-anchor=\"end\">" + Label(depth) + "</text>\n";
  }
  const double mid = Y(bottomDepth_ / 2);
  body_ += "<text class=\"depth-title\" x=\"18\" y=\"" + N(mid) + "\" text-anchor=\"middle\" "
           "transform=\"rotate(-90 18 " + N(mid) + ")\">Depth (m)</text>\n";
}

void SvgLog::LayerColumn(double left) {
  Text(left + kLayerWidth / 2, plotTop_ - 30, "Soil layers", "block-title", "middle");
  const auto& layers = log_.layers;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const double top = std::clamp(layers[i].top, 0.0, bottomDepth_);
    const double bottom =
        std::clamp(i + 1 < layers.size() ? layers[i + 1].top : bottomDepth_, 0.0, bottomDepth_);
    if (!(bottom > top)) continue;
    const char* fill = kLayerFills[static_cast<unsigned>(layers[i].index) % std::size(kLayerFills)];
    body_ += "<rect class=\"layer\" x=\"" + N(left) + "\" y=\"" + N(Y(top)) + "\" width=\"" +
             N(kLayerWidth) + "\" height=\"" + N((bottom - top) * pxPerMetre_) + "\" fill=\"" +
             fill + "\"/>\n";
    if ((bottom - top) * pxPerMetre_ >= 13)
      Text(left + kLayerWidth / 2, Y((top + bottom) / 2) + 4, Escape(layers[i].name),
           "layer-name", "middle");
  }
  body_ += "<rect class=\"frame\" x=\"" + N(left) + "\" y=\"" + N(Y(0)) + "\" width=\"" +
           N(kLayerWidth) + "\" height=\"" + N(Y(bottomDepth_) - Y(0)) + "\"/>\n";
  if (std::isfinite(log_.groundwater) && log_.groundwater >= 0 && log_.groundwater <= bottomDepth_) {
    const double y = Y(log_.groundwater), x = left + kLayerWidth + 2;
    body_ += "<path class=\"groundwater\" d=\"M" + N(x) + " " + N(y) + " l8 -6 l0 12 z\"/>\n";
    Text(x + 10, y + 4, "GW", "value-tick");
  }
}

void SvgLog::Ranges(double left, const SoundingBlock& block) {
  Text(left + 7, plotTop_ - 6, "F", "range-head", "middle");
  Text(left + 19, plotTop_ - 6, "H", "range-head", "middle");
  auto bars = [&](const std::vector<DepthRange>& ranges, double x, const char* cls) {
    for (const DepthRange& r : ranges) {
      const double top = std::clamp(r.top, 0.0, bottomDepth_);
      const double bottom = std::clamp(r.bottom, 0.0, bottomDepth_);
      body_ += "<rect class=\"" + std::string(cls) + "\" data-top=\"" + Label(r.top) +
               "\" data-bottom=\"" + Label(r.bottom) + "\" x=\"" + N(x) + "\" y=\"" + N(Y(top)) +
               "\" width=\"10\" height=\"" + N(std::max((bottom - top) * pxPerMetre_, 1.5)) +
               "\"/>\n";
    }
  };
  bars(block.flushing, left + 2, "flushing");
  bars(block.hammering, left + 14, "hammering");
}

// Returns the right edge of the panel.
double SvgLog::Panel(double left, const SoundingBlock& block, std::size_t panel) {
  const PlotPanel& what = block.kind->panels[panel];
  std::vector<std::pair<double, double>> points;  // value, depth
  double low = 0.0, high = 0.0;
  for (std::size_t i = 0; i < block.records.size(); ++i) {
    const double value = block.Number(i, what.field), depth = block.Depth(i);
    if (!std::isfinite(value) || !std::isfinite(depth)) continue;
    points.emplace_back(value, depth);
    low = std::min(low, value);
    high = std::max(high, value);
  }
  // Values beyond any scale (a damaged file) leave the panel empty rather than unreadable.
  if (!std::isfinite(high - low)) {
    points.clear();
    low = high = 0.0;
  }
  const double step = TickStep(high - low, 4);
  const double start = std::floor(low / step) * step;
  double end = std::ceil(high / step - 1e-9) * step;
  if (!(end > start)) end = start + step;
  auto X = [&](double v) { return left + (v - start) / (end - start) * kPanelWidth; };

  // The block's date stands in the title block; the heading stays within its panel.
  if (panel == 0) Text(left, plotTop_ - 38, block.kind->title, "block-title");
  Text(left + kPanelWidth / 2, plotTop_ - 22, what.label, "panel-label", "middle");
  const long ticks = std::min(std::lround((end - start) / step), 20L);
  for (long i = 0; i <= ticks; ++i) {
    const double v = start + i * step;
    const std::string x = N(X(v));
    body_ += "<line class=\"grid\" x1=\"" + x + "\" y1=\"" + N(Y(0)) + "\" x2=\"" + x +
             "\" y2=\"" + N(Y(bottomDepth_)) + "\"/>\n";
    body_ += "<text class=\"value-tick\" data-value=\"" + Label(v) + "\" x=\"" + x + "\" y=\"" +
             N(plotTop_ - 6) + "\" text-anchor=\"middle\">" + Label(v) + "</text>\n";
  }
  body_ += "<rect class=\"frame\" x=\"" + N(left) + "\" y=\"" + N(Y(0)) + "\" width=\"" +
           N(kPanelWidth) + "\" height=\"" + N(Y(bottomDepth_) - Y(0)) + "\"/>\n";
  if (!points.empty()) {
    body_ += "<polyline class=\"trace\" data-method=\"" + std::string(block.kind->name) +
             "\" data-field=\"" + what.field + "\" points=\"";
    for (std::size_t i = 0; i < points.size(); ++i)
      body_ += (i ? " " : "") + N(X(points[i].first)) + "," +
               N(Y(std::clamp(points[i].second, 0.0, bottomDepth_)));
    body_ += "\"/>\n";
  }
  return left + kPanelWidth;
}

}  // namespace geoproj
