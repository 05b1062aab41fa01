#pragma once
// Text files in a temporary folder for the text-input tests, and the URL of
// each.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/String.h"
#include "core/Uri.h"

namespace TextInputTest {

class CTextFiles {
public:
  CTextFiles() {
    std::string pattern = testing::TempDir() + "textinput-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data())) m_dir = buffer.data();
  }
  ~CTextFiles() {
    for (const std::string& f : m_files) std::remove(f.c_str());
    rmdir(m_dir.c_str());
  }
  CTextFiles(const CTextFiles&) = delete;
  CTextFiles& operator=(const CTextFiles&) = delete;

  // Writes the bytes to a new file; its file URL.
  Core::String Write(const std::string& bytes) {
    std::string path = m_dir + "/f" + std::to_string(m_files.size()) + ".txt";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr);
    if (f) {
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
    }
    m_files.push_back(path);
    Core::String url;
    EXPECT_TRUE(Uri::FileNameToUrl(Core::FromUtf8(path), url));
    return url;
  }

  const std::string& Dir() const { return m_dir; }

private:
  std::string m_dir;
  std::vector<std::string> m_files;
};

} // namespace TextInputTest
