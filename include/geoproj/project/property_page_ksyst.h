// CPropertyPageKsyst: the coordinate-system page of the project information sheet (dialog
// "Coordinate system"). It shows the names of the project's coordinate and height systems and
// its extent, and edits the system texts and the three transformation lines of Info.prj.
#pragma once

#include <string>

class CPropertyInfo;

class CPropertyPageKsyst {
 public:
  enum Field { kCoordText, kHeightText, kTransformation1, kTransformation2, kTransformation3 };
  static constexpr int kLimit = 79;  // characters of every edited field

  explicit CPropertyPageKsyst(CPropertyInfo* sheet);
  CPropertyPageKsyst(const CPropertyPageKsyst&) = delete;
  CPropertyPageKsyst& operator=(const CPropertyPageKsyst&) = delete;
  virtual ~CPropertyPageKsyst() = default;

  void Fill();
  void Store();
  // As CPropertyPageDoc::SetField.
  int SetField(Field field, const std::string& text);

  // The names of the stored systems; "Okänt" for none.
  static std::string CoordSystemName(int index);
  static std::string HeightSystemName(int index);

  std::string m_coordName;   // shown only
  std::string m_heightName;  // shown only
  std::string m_coordText;
  std::string m_heightText;
  std::string m_transformation[3];
  // The extent, shown only.
  double m_latMin = 0.0;
  double m_latMax = 0.0;
  double m_lonMin = 0.0;
  double m_lonMax = 0.0;

 private:
  std::string* FieldText(Field field);
  std::string StoredText(Field field) const;

  CPropertyInfo* m_sheet;  // not owned
};
