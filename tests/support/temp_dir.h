// A fresh directory per test, removed with everything in it when the test ends.
#pragma once

#include <string>

namespace geoproj::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // name joined to the directory.
  std::string file(const std::string& name) const;
  // Writes bytes to the file name (created or replaced); returns its path.
  std::string write(const std::string& name, const std::string& bytes) const;
  // The bytes of the file name; empty when it does not exist.
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace geoproj::test
