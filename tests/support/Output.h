// What code under test printed or wrote: its stderr lines, and whole files
// read or written byte for byte.
#pragma once

#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

template <class Body>
std::string StderrOf(Body&& body) {
  testing::internal::CaptureStderr();
  body();
  return testing::internal::GetCapturedStderr();
}

inline int CountLines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Fails once for each part that `text` lacks.
inline void ExpectContains(const std::string& text, std::initializer_list<std::string> parts) {
  for (const std::string& part : parts) EXPECT_TRUE(Contains(text, part)) << "'" << part << "' in: " << text;
}

// The file's bytes; empty if it cannot be read.
inline std::string ReadAll(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

inline bool WriteAll(const std::string& path, const std::string& text) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::WriteOnly) &&
         file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
}
