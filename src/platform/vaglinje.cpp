#include <geoproj/platform/vaglinje.h>

#include <cmath>

namespace {

struct Vec {
  double x;
  double y;
};

Vec Between(const kovltype& from, double x, double y) { return {x - from.x, y - from.y}; }
Vec Between(const kovltype& from, const kovltype& to) { return {to.x - from.x, to.y - from.y}; }
double Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double Length(Vec a) { return std::hypot(a.x, a.y); }

// Cross product of the segment's unit direction with v: the signed distance from its line.
double UnitCross(Vec dir, Vec v) {
  const double len = Length(dir);
  return len > 0.0 ? Cross(dir, v) / len : 0.0;
}

}  // namespace

// The segment from node a to its successor whose closest point to (x, y) is nearest.
struct CVaglinje::Nearest {
  const node* a = nullptr;
  double tRaw = 0.0;  // position of the perpendicular foot along the segment, 0 at a, 1 at b
  double t = 0.0;     // tRaw limited to the segment
  double dist2 = 0.0;
};

void CVaglinje::FindNearest(double x, double y, Nearest* out) const {
  for (const node* n = m_forst; n && n->next; n = n->next) {
    const Vec dir = Between(n->rec, n->next->rec);
    const Vec v = Between(n->rec, x, y);
    const double len2 = Dot(dir, dir);
    const double tRaw = len2 > 0.0 ? Dot(v, dir) / len2 : 0.0;
    const double t = std::fmin(std::fmax(tRaw, 0.0), 1.0);
    const double dx = v.x - t * dir.x, dy = v.y - t * dir.y;
    const double dist2 = dx * dx + dy * dy;
    if (!out->a || dist2 < out->dist2) *out = Nearest{n, tRaw, t, dist2};
  }
}

double CVaglinje::SideAtCorner(const node* corner, double x, double y) {
  const Vec v = Between(corner->rec, x, y);
  double side = 0.0;
  if (corner->prev) side += UnitCross(Between(corner->prev->rec, corner->rec), v);
  if (corner->next) side += UnitCross(Between(corner->rec, corner->next->rec), v);
  return side;
}

int CVaglinje::Vagstv(double x, double y, double* sek, double* avst, int /*flag*/) {
  if (m_antal < 2) return -1;
  Nearest near;
  FindNearest(x, y, &near);
  const kovltype& a = near.a->rec;
  const kovltype& b = near.a->next->rec;
  const Vec dir = Between(a, b);
  const bool before = !near.a->prev && near.tRaw < 0.0;
  const bool after = !near.a->next->next && near.tRaw > 1.0;
  const bool atCorner = !before && !after && (near.t != near.tRaw || Length(dir) == 0.0);
  const double t = (before || after) ? near.tRaw : near.t;
  double offset = UnitCross(dir, Between(a, x, y));
  if (atCorner) {
    const node* corner = near.t >= 1.0 ? near.a->next : near.a;
    const double side = SideAtCorner(corner, x, y);
    offset = side < 0.0 ? -std::sqrt(near.dist2) : std::sqrt(near.dist2);
  }
  if (sek) *sek = a.sek + t * (b.sek - a.sek);
  if (avst) *avst = offset;
  return (before || after) ? 1 : 0;
}

int CVaglinje::PktIomr(double x, double y, double* sek, double* avst, int flag) {
  double s = 0.0, o = 0.0;
  const int rc = Vagstv(x, y, &s, &o, flag);
  if (rc < 0) return 1;
  if (sek) *sek = s;
  if (avst) *avst = o;
  return (rc == 0 && std::fabs(o) <= m_halvbredd) ? 0 : 1;
}
