#include <geoproj/project/property_page_ksyst.h>

#include <geoproj/platform/transformation.h>
#include <geoproj/project/property_info.h>
#include <geoproj/project/sheet_view.h>

namespace {

constexpr char kUnknown[] = "Ok\xE4nt";

std::string NameOrUnknown(const std::string& name) { return name.empty() ? kUnknown : name; }

}  // namespace

CPropertyPageKsyst::CPropertyPageKsyst(CPropertyInfo* sheet) : m_sheet(sheet) {}

std::string CPropertyPageKsyst::CoordSystemName(int index) {
  return NameOrUnknown(CInfoPrj::TextSystem(index));
}

std::string CPropertyPageKsyst::HeightSystemName(int index) {
  if (index < 0 || index > CTransformation::SIZEHEIGHT) return kUnknown;
  return NameOrUnknown(CTransformation::defSystemHeight[index]);
}

void CPropertyPageKsyst::Fill() {
  const CInfoPrj* info = m_sheet->m_info.get();
  for (Field f : {kCoordText, kHeightText, kTransformation1, kTransformation2, kTransformation3})
    *FieldText(f) = StoredText(f);
  m_coordName = CoordSystemName(info ? info->coordSystem : -1);
  m_heightName = HeightSystemName(info ? info->heightSystem : -1);
  m_latMin = info ? info->latMin : 0.0;
  m_latMax = info ? info->latMax : 0.0;
  m_lonMin = info ? info->lonMin : 0.0;
  m_lonMax = info ? info->lonMax : 0.0;
}

void CPropertyPageKsyst::Store() {
  CInfoPrj* info = m_sheet->m_info.get();
  if (!info) return;
  info->coordText = m_coordText;
  info->heightText = m_heightText;
  for (int i = 0; i < 3; ++i) info->transformation[i] = m_transformation[i];
}

std::string* CPropertyPageKsyst::FieldText(Field field) {
  switch (field) {
    case kCoordText: return &m_coordText;
    case kHeightText: return &m_heightText;
    case kTransformation1: return &m_transformation[0];
    case kTransformation2: return &m_transformation[1];
    case kTransformation3: return &m_transformation[2];
  }
  return &m_coordText;
}

std::string CPropertyPageKsyst::StoredText(Field field) const {
  const CInfoPrj* info = m_sheet->m_info.get();
  if (!info) return std::string();
  switch (field) {
    case kCoordText: return info->coordText;
    case kHeightText: return info->heightText;
    case kTransformation1: return info->transformation[0];
    case kTransformation2: return info->transformation[1];
    case kTransformation3: return info->transformation[2];
  }
  return std::string();
}

int CPropertyPageKsyst::SetField(Field field, const std::string& text) {
  const int rc = m_sheet->TakeOverEdit(FieldText(field), text.substr(0, kLimit), StoredText(field));
  if (rc < 0 && m_sheet->m_info) {
    Fill();
    geoproj::ShowSheet(*m_sheet, geoproj::SheetView::kRefresh);
  }
  return rc;
}
