// arktype: the host's description of a project, handed to the restore. The structure belongs to
// the host; the library reads only three texts at fixed offsets, each at most as long as given
// below even when the host left it without a terminator.
#pragma once

#include <cstddef>

struct arktype {
  char namn[36];      //   0 project name, up to 35 characters
  char text2[36];     //  36 second text, up to 35 characters
  char host72[307];   //  72 the host's
  char datum[11];     // 379 date text, up to 10 characters
};

static_assert(offsetof(arktype, text2) == 36, "second text at offset 36");
static_assert(offsetof(arktype, datum) == 379, "date at offset 379");
