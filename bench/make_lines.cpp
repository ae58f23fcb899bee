// Helper of bench/project_bench.sh: a line database of COUNT records in project DIR, each record
// added and written the way the project restore adds them (one update per record).
// Usage: geoproj_make_lines DIR COUNT
#include <cstdio>
#include <cstdlib>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/lines/kvar_bv_dbs.h>
#include <geoproj/platform/proj_path.h>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: geoproj_make_lines DIR COUNT\n");
    return 2;
  }
  CProjPath path;
  path.SetPath(argv[1]);
  CKvarBvDbs db(&path, nullptr);
  if (db.Init(0, 1) != 0) return 1;
  const int count = std::atoi(argv[2]);
  for (int i = 0; i < count; ++i) {
    sadbstype r{};
    r.typ = i % 3 ? CKvarBvDbs::kTypLinje : CKvarBvDbs::kTypHall;
    std::snprintf(r.id, sizeof r.id, "L%d", i);
    geoproj::CopyField(r.fil, r.id);
    r.x = 6500000.0 + i;
    r.y = 150000.0 + i * 0.5;
    r.z = 10.0;
    r.dx = r.dy = 25.0;
    db.Ny(1, &r);
    if (db.Uppdat(0) != 0) return 1;
  }
  return 0;
}
