// A stretch of work (reading or writing one borehole) during which the code table of record
// texts is taken as fixed: the code lookup checks the table against its remembered answers once
// per scope instead of once per record. Scopes nest; the outermost one counts.
#pragma once

namespace geoproj {

class CodeTableScope {
 public:
  CodeTableScope();
  ~CodeTableScope();
  CodeTableScope(const CodeTableScope&) = delete;
  CodeTableScope& operator=(const CodeTableScope&) = delete;

  // The number of the outermost scope open in this thread, 0 when none is open.
  static unsigned Current();
};

}  // namespace geoproj
