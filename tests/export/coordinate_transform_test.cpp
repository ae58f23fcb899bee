// Positions of the Nordic grids as WGS 84 longitude and latitude, checked to 1 cm against PROJ's
// command-line cs2cs and the systems' published central meridians.
#include <geoproj/export/coordinate_transform.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

#include "tool/tool_runner.h"

namespace {

using geoproj::CoordinateTransform;

// The ground distance in metres of a small difference in degrees at a latitude.
double Metres(double lon1, double lat1, double lon2, double lat2) {
  const double metresPerDegree = 111320.0;
  const double dy = (lat1 - lat2) * metresPerDegree;
  const double dx = (lon1 - lon2) * metresPerDegree * std::cos(lat1 * M_PI / 180.0);
  return std::hypot(dx, dy);
}

struct KnownPoint {
  int epsg;
  double northing;
  double easting;
  double lon;
  double lat;
  const char* what;
};

// Longitudes and latitudes from `cs2cs -d 10 EPSG:n EPSG:4326` (PROJ 9.1); the points on a
// central meridian (the grid's false easting) have the meridian's published longitude exactly.
const KnownPoint kKnown[] = {
    {3011, 6583852.965, 153799.865, 18.0668307833, 59.3696821691, "demo project, Stockholm"},
    {3011, 6580000.0, 150000.0, 18.0, 59.3351129032, "SWEREF 99 18 00 central meridian"},
    {3006, 6400000.0, 320000.0, 11.9788989924, 57.7060723739, "SWEREF 99 TM, Gothenburg"},
    {3006, 7535000.0, 780000.0, 21.6495882273, 67.7943397702, "SWEREF 99 TM, Kiruna"},
    {25832, 6643000.0, 597000.0, 10.7346298229, 59.9130636544, "UTM 32N, Oslo"},
    {25832, 6700000.0, 297000.0, 5.3163489021, 60.3853133294, "UTM 32N, Bergen"},
    {25833, 7040000.0, 270000.0, 10.3909241742, 63.4140328213, "UTM 33N, Trondheim"},
    {25833, 7732000.0, 653000.0, 18.9449373139, 69.6519392188, "UTM 33N, Tromso"},
};

TEST(CoordinateTransform, KnownPointsToOneCentimetre) {
  for (const KnownPoint& p : kKnown) {
    CoordinateTransform t(p.epsg);
    ASSERT_TRUE(t.Ok()) << t.Error();
    double lon = 0, lat = 0;
    ASSERT_TRUE(t.Transform(p.northing, p.easting, &lon, &lat)) << p.what;
    EXPECT_LT(Metres(lon, lat, p.lon, p.lat), 0.01) << p.what << ": " << lon << " " << lat;
  }
}

TEST(CoordinateTransform, CentralMeridiansHaveTheirPublishedLongitude) {
  const struct {
    int epsg;
    double lon;
  } meridians[] = {{3006, 15.0}, {3011, 18.0}, {25832, 9.0}, {25833, 15.0}};
  for (const auto& m : meridians) {
    CoordinateTransform t(m.epsg);
    double lon = 0, lat = 0;
    ASSERT_TRUE(t.Transform(6600000.0, m.epsg == 3011 ? 150000.0 : 500000.0, &lon, &lat));
    EXPECT_NEAR(lon, m.lon, 1e-9) << m.epsg;
  }
}

// x is the northing: taking it for the easting puts the demo point far off, not near Stockholm.
TEST(CoordinateTransform, NorthingComesFirst) {
  CoordinateTransform t(3011);
  double lon = 0, lat = 0;
  ASSERT_TRUE(t.Transform(6583852.965, 153799.865, &lon, &lat));
  EXPECT_NEAR(lat, 59.37, 0.01);
  EXPECT_NEAR(lon, 18.07, 0.01);
  if (t.Transform(153799.865, 6583852.965, &lon, &lat)) {
    EXPECT_GT(std::abs(lat - 59.37), 10.0);
  }
}

TEST(CoordinateTransform, UnknownCodesAndValuesAreRefused) {
  for (int epsg : {-1, 0, 1, 999999}) {
    CoordinateTransform t(epsg);
    EXPECT_FALSE(t.Ok()) << epsg;
    EXPECT_FALSE(t.Error().empty()) << epsg;
    double lon = 0, lat = 0;
    EXPECT_FALSE(t.Transform(6583852.965, 153799.865, &lon, &lat));
  }
  CoordinateTransform t(3011);
  double lon = 0, lat = 0;
  EXPECT_FALSE(t.Transform(NAN, 153799.865, &lon, &lat));
  EXPECT_FALSE(t.Transform(6583852.965, INFINITY, &lon, &lat));
  EXPECT_FALSE(t.Transform(1e300, 1e300, &lon, &lat));
}

// The same points through PROJ's own program, when it is installed.
TEST(CoordinateTransform, AgreesWithCs2csToOneCentimetre) {
  for (const KnownPoint& p : kKnown) {
    // cs2cs takes the systems' own axis order: northing first for the Swedish grids, easting
    // first for UTM; it answers latitude first.
    const bool northingFirst = p.epsg == 3006 || p.epsg == 3011;
    char input[128];
    std::snprintf(input, sizeof input, "%.3f %.3f\n", northingFirst ? p.northing : p.easting,
                  northingFirst ? p.easting : p.northing);
    const geoproj::tooltest::ToolResult r = geoproj::tooltest::RunProgram(
        "cs2cs", {"-d", "10", "EPSG:" + std::to_string(p.epsg), "EPSG:4326"}, {}, input);
    if (r.status == 127 || r.status == -1) GTEST_SKIP() << "cs2cs (Debian proj-bin) is not installed";
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream out(r.out);
    double lat = 0, lon = 0;
    ASSERT_TRUE(out >> lat >> lon) << r.out;
    CoordinateTransform t(p.epsg);
    double ourLon = 0, ourLat = 0;
    ASSERT_TRUE(t.Transform(p.northing, p.easting, &ourLon, &ourLat));
    EXPECT_LT(Metres(ourLon, ourLat, lon, lat), 0.01) << p.what;
  }
}

}  // namespace
