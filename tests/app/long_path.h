#pragma once
// Files whose full path has an exact length, however long: the folders
// between are cut to what one name may hold.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

// Creates a small file whose path below `folder` is `length` characters long
// (ASCII only, so characters and bytes agree) and ends in `extension`.
inline std::string MakeFileWithPathLength(const std::filesystem::path& folder, size_t length,
                                          const std::string& extension = ".pdf") {
  constexpr size_t kFolderName = 150;
  constexpr size_t kLongestLastName = 200;
  std::filesystem::path path = folder;
  // Each level adds a separator and a name; the last name takes the rest,
  // more than 49 characters and at most 200.
  while (length > path.string().size() + 1 + kLongestLastName)
    path /= std::string(kFolderName, static_cast<char>('a' + path.string().size() % 26));
  const size_t rest = length - path.string().size() - 1;
  EXPECT_GT(rest, extension.size()) << "the folder's own path is too long for " << length;
  std::filesystem::create_directories(path);
  path /= std::string(rest - extension.size(), 'f') + extension;
  std::ofstream(path, std::ios::binary) << "%PDF-1.4\n";
  EXPECT_TRUE(std::filesystem::exists(path)) << path.string().size();
  EXPECT_EQ(path.string().size(), length);
  return path.string();
}

// Removes a file made by MakeFileWithPathLength and the folders made for
// it, up to `folder`. Paths beyond 260 characters cannot be listed on every
// system, so the tree is taken down along the one path that was made.
inline void RemoveFileWithPathLength(const std::filesystem::path& file, const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::remove(file, error);
  EXPECT_FALSE(error) << error.message();
  const size_t folder_length = folder.string().size();
  for (std::filesystem::path level = file.parent_path(); level.string().size() > folder_length;
       level = level.parent_path()) {
    std::filesystem::remove(level, error);
    EXPECT_FALSE(error) << error.message() << " " << level.string().size();
  }
}

