// CVaglinje: a road alignment, a polyline of points carrying their stations, with a corridor of
// a given half-width on either side.
//
// Geometry is plane geometry in the coordinates as given: "left" is the side a counter-clockwise
// turn from the direction of travel faces when x grows to the right and y upwards (with x east
// and y north, the driver's left). Stations between two points are interpolated linearly along
// the segment. All queries walk the points once.
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
  // perpendiculars at its first and last points (both included); non-zero (1) outside or with
  // fewer than two points. When given, *sek and *avst receive what Vagstv gives (left alone
  // with fewer than two points). flag is reserved and not used.
  int PktIomr(double x, double y, double* sek = nullptr, double* avst = nullptr, int flag = 0);

  // Station and signed offset of (x, y), projected onto the nearest segment (the first of
  // equally near ones). 0 when the projection falls on the line, 1 when it lies before the
  // first or after the last point (station and offset then continue the end segment, the
  // station below the first or above the last), -1 with fewer than two points (*sek and *avst
  // left alone). Beside a bend, where the nearest point of the line is the corner, the station
  // is the corner's and the offset the distance to it, signed by the side. flag is reserved.
  int Vagstv(double x, double y, double* sek, double* avst, int flag = 0);

  void SetHalvbredd(double halvbredd) { m_halvbredd = halvbredd; }
  double Halvbredd() const { return m_halvbredd; }

 private:
  struct Nearest;
  void FindNearest(double x, double y, Nearest* out) const;
  static double SideAtCorner(const node* corner, double x, double y);

  double m_halvbredd = 50.0;
};
