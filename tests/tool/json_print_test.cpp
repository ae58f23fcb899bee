#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "../../tools/geoproj/json_print.h"

namespace geoproj::tool {
namespace {

using Json = nlohmann::ordered_json;

// What the printer wrote, element by element, into a memory stream.
std::string PrintedElementwise(const Json& array) {
  char* bytes = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&bytes, &size);
  JsonArrayPrinter printer(out);
  for (const Json& element : array) printer.Add(element);
  printer.Finish();
  std::fclose(out);
  std::string text(bytes, size);
  std::free(bytes);
  return text;
}

TEST(JsonArrayPrinter, PrintsTheArrayAsTheWholeDocumentIsPrinted) {
  const Json record = {{"id", "B1"},
                       {"x", 6543211.125},
                       {"z", 20.0},
                       {"djup", nullptr},
                       {"bits", {1, 0, 17}},
                       {"empty", Json::array()},
                       {"none", Json::object()},
                       {"nested", {{"a", {{"b", "c\nd"}}}}}};
  // A text that is not UTF-8 is printed with the replacement character, as a whole dump does.
  const Json damaged = {{"id", std::string("B\xE5\xFF")}};
  for (const Json& array :
       {Json::array(), Json::array({record}), Json::array({record, damaged, 1, "text", record})}) {
    EXPECT_EQ(PrintedElementwise(array), JsonText(array) + "\n") << JsonText(array);
  }
}

}  // namespace
}  // namespace geoproj::tool
