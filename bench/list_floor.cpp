// geoproj_list_floor FILE: the floor for listing a database: read the file and print each
// record's identifier, position, depth and bits as JSON with a minimal loop, nothing else.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

double F64(const unsigned char* p) {
  double v;
  std::memcpy(&v, p, 8);
  return v;
}

float F32(const unsigned char* p) {
  float v;
  std::memcpy(&v, p, 4);
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::FILE* f = std::fopen(argv[1], "rb");
  if (!f) return 1;
  std::vector<unsigned char> bytes;
  unsigned char chunk[65536];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(f);
  std::printf("[\n");
  const char* sep = "";
  for (std::size_t at = 500; at + 62 <= bytes.size(); at += 62) {
    const unsigned char* r = bytes.data() + at;
    if (!r[0]) continue;
    char id[9] = {};
    std::memcpy(id, r, 8);
    std::printf("%s  {\"id\": \"%s\", \"x\": %.3f, \"y\": %.3f, \"z\": %.3f, \"sek\": %.3f, "
                "\"avst\": %.3f, \"djup\": %.2f, \"stopp\": %d, \"bits\": [%d, %d, %d, %d, %d, %d, %d], "
                "\"filpos\": %zu}",
                sep, id, F64(r + 16), F64(r + 24), F64(r + 32), F64(r + 40), F64(r + 48), F32(r + 56),
                r[60] | r[61] << 8, r[9], r[10], r[11], r[12], r[13], r[14], r[15], at);
    sep = ",\n";
  }
  std::printf("\n]\n");
  return 0;
}
