#include "sounding/code_table_scope.h"

namespace geoproj {
namespace {

thread_local int t_depth = 0;
thread_local unsigned t_serial = 0;

}  // namespace

CodeTableScope::CodeTableScope() {
  if (t_depth++ == 0 && ++t_serial == 0) t_serial = 1;
}

CodeTableScope::~CodeTableScope() { --t_depth; }

unsigned CodeTableScope::Current() { return t_depth > 0 ? t_serial : 0; }

}  // namespace geoproj
