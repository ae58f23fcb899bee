// CVaglinje: a road alignment, a polyline of points carrying their stations, with a corridor of
// a given half-width on either side.
#pragma once

#include <geoproj/foundation/list0.h>

// One alignment point: its position, level and station (chainage) along the road.
struct kovltype {
  double x;
  double y;
  double z;
  double sek;
};

class CVaglinje : public list0<kovltype> {
 public:
  CVaglinje() = default;
  ~CVaglinje() override = default;

  // Points are added with list0's Ny(1, &point), in station order.

  // 0 when (x, y) lies inside the corridor: within the half-width of the line and between the
  // perpendiculars at its first and last points; non-zero (1) outside or with fewer than two
  // points. When given, *sek and *avst receive the station and signed offset (left of the
  // direction of travel positive) of the point. flag is reserved and not used.
  int PktIomr(double x, double y, double* sek = nullptr, double* avst = nullptr, int flag = 0);

  // Station and signed offset of (x, y), projected onto the nearest segment. 0 when the
  // projection falls on the line, 1 when it lies before the first or after the last point
  // (the values are then those of the nearest end), -1 with fewer than two points.
  int Vagstv(double x, double y, double* sek, double* avst, int flag = 0);

  void SetHalvbredd(double halvbredd) { m_halvbredd = halvbredd; }
  double Halvbredd() const { return m_halvbredd; }

 private:
  double m_halvbredd = 50.0;
};
