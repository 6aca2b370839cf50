#include "services/modMd5.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"
#include "support/Sandbox.h"

namespace ferrowick::services::testing {
namespace {

using ferrowick::testing::Sandbox;
using ferrowick::testing::writeFile;
using modMd5::FileMD5;
using modMd5::kBlockSize;

std::string pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + 3) % 251);
  return bytes;
}

std::string fileOf(const std::string& bytes) {
  const auto path = Sandbox::root() / "data.bin";
  writeFile(path, bytes);
  return path.string();
}

TEST(modMd5Test, KnownVectorsAndBlockEdges) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},   // an empty file has a sum too
      {"a", "0cc175b9c0f1b6a831c399e269772661"},  // leading zero of the first byte kept
      {std::string("a\0b\r\n", 5), "4d42a3a6c766fd894c6f083473dc8f91"},
      {pattern(kBlockSize), "bac259e6f14c8b831c02f85042e13805"},
      {pattern(kBlockSize + 1), "cd3d8833b67a2fda2b485107cae3c025"},
  };
  for (const auto& [bytes, sum] : cases) {
    SCOPED_TRACE(bytes.size());
    EXPECT_EQ(FileMD5(fileOf(bytes)), sum);
  }
}

TEST(modMd5Test, WhatCannotBeReadHasNoSum) {
  const std::string file = fileOf(pattern(kBlockSize + 1));
  const std::string fifo = (Sandbox::root() / "pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(FileMD5((Sandbox::root() / "missing.bin").string()), "");
  EXPECT_EQ(FileMD5(Sandbox::root().string()), "");  // a folder
  EXPECT_EQ(FileMD5(fifo), "");                      // nobody writes: must not wait

  runtime::Faults faults;
  faults.inject(runtime::FaultPoint::ReadBlock, runtime::Err::DeviceIOError, "", 1,
                1);  // after the first block
  EXPECT_EQ(FileMD5(file, &faults), "");
  EXPECT_EQ(FileMD5(file, &faults), "cd3d8833b67a2fda2b485107cae3c025");
}

}  // namespace
}  // namespace ferrowick::services::testing
