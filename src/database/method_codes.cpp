#include <geoproj/database/method_codes.h>

namespace geoproj {
namespace {

struct MethodNameRow {
  int code;
  const char* name;
};

constexpr MethodNameRow kMethodNames[] = {
    {0, "HfA"},         {1, "Jb"},           {2, "Slb"},
    {3, "Vim"},         {4, "TrS"},          {5, "Tr"},
    {6, "Sti"},         {7, "CPT"},          {8, "JB2"},
    {9, "JB3"},         {11, "JB-total"},    {13, "Core drilling"},
    {14, "Water loss"}, {20, "Wane test"},   {21, "Dreie"},
    {22, "Enkel"},      {23, "Dreietrykk"},  {24, "Ram"},
    {25, "Total"},      {26, "Fjell"},       {35, "DPT"},
    {40, "Soil test"},  {45, "Env investigation"}, {50, "Ground water"},
    {97, "Borehole"},
};

}  // namespace

const char* MethodCodeName(int code) {
  for (const MethodNameRow& row : kMethodNames)
    if (row.code == code) return row.name;
  return "Unknown method";
}

}  // namespace geoproj
