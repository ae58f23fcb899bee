// The project status list file, loaded and looked up as the project information sheet does.
#include <geoproj/platform/projekt_status.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  const std::string path = scratch.file("status.txt");
  geoproj::fuzz::WriteFile(path, data, size);
  CProjektStatus list;
  list.Load(path.c_str());
  for (int number : {-1, 0, 1, 7, 20})
    if (const char* text = list.GetStatus(number)) list.Find(text);
  list.Find(" P\xE5g\xE5" "ende ");
  return 0;
}
