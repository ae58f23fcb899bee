// Writes a command's JSON to standard output.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include <nlohmann/json.hpp>

namespace geoproj::tool {

inline std::string JsonText(const nlohmann::ordered_json& value) {
  return value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

inline void PrintJson(const nlohmann::ordered_json& value) {
  const std::string text = JsonText(value);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

// Prints an array element by element, byte for byte as PrintJson prints the whole array, so
// that a listing of tens of thousands of records never holds them all as one document.
class JsonArrayPrinter {
 public:
  explicit JsonArrayPrinter(std::FILE* out)
      : m_out(out),
        m_serializer(nlohmann::detail::output_adapter<char, std::string>(m_text), ' ',
                     nlohmann::ordered_json::error_handler_t::replace) {}
  JsonArrayPrinter(const JsonArrayPrinter&) = delete;
  JsonArrayPrinter& operator=(const JsonArrayPrinter&) = delete;

  void Add(const nlohmann::ordered_json& element) {
    m_text.assign(m_count == 0 ? "[\n  " : ",\n  ");
    // As the whole array's serialisation writes it: pretty, two blanks a level, one level deep.
    m_serializer.dump(element, true, false, 2, 2);
    std::fwrite(m_text.data(), 1, m_text.size(), m_out);
    ++m_count;
  }
  // Closes the array (an empty one is "[]").
  void Finish() { std::fputs(m_count == 0 ? "[]\n" : "\n]\n", m_out); }
  std::size_t Count() const { return m_count; }

 private:
  std::FILE* m_out;
  std::string m_text;  // before m_serializer, which writes into it
  nlohmann::detail::serializer<nlohmann::ordered_json> m_serializer;
  std::size_t m_count = 0;
};

}  // namespace geoproj::tool
