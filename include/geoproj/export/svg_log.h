// SvgLog: a borehole's sounding log as one SVG drawing, the way geotechnical reports draw them:
// depth downward on one labelled scale shared by every panel; per block a panel with its values
// across (a total or rotary pressure sounding with its flushing and hammering ranges marked
// beside it); the interpretation's layers as a column with the groundwater level; the
// identifier, ground level, stop code and block dates in a title block.
#pragma once

#include <string>
#include <vector>

namespace geoproj {

class SoundingLog;
struct SoundingBlock;

class SvgLog {
 public:
  static std::string Write(const SoundingLog& log);

  // A round step for a scale over span with about count ticks: 1, 2 or 5 times a power of ten.
  static double TickStep(double span, int count);
  // Text for SVG: UTF-8 from code page 1252, markup characters escaped, control bytes dropped.
  static std::string Escape(const std::string& cp1252);

 private:
  explicit SvgLog(const SoundingLog& log);
  std::string Draw();

  double Y(double depth) const;
  void TitleBlock();
  void DepthAxis();
  void LayerColumn(double left);
  double Panel(double left, const SoundingBlock& block, std::size_t panel);
  void Ranges(double left, const SoundingBlock& block);
  void Text(double x, double y, const std::string& utf8, const char* cls,
            const char* anchor = "start");

  const SoundingLog& log_;
  double bottomDepth_ = 1.0;  // the scale's end, a whole tick below the deepest value
  double depthStep_ = 1.0;
  double pxPerMetre_ = 40.0;
  double plotTop_ = 0.0;
  double width_ = 0.0;
  std::string body_;
};

}  // namespace geoproj
