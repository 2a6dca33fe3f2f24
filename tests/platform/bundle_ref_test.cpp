// Tests of the bundle's path as Linux bundle references find it. Retaining and releasing are
// tested through bundleEntry and bundleExit on the built bundle.
#include "platform/bundle_ref.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace Quillon::platform {
namespace {

TEST(BundleRef, PathIsTheAbsoluteFilePath) {
  void* handle = dlopen(PX7000_BUNDLE_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  char* expected = realpath(PX7000_BUNDLE_PATH, nullptr);
  ASSERT_NE(expected, nullptr);
  const std::size_t length = std::strlen(expected);

  char path[2048];
  ASSERT_TRUE(copyBundlePath(handle, path, sizeof path));
  EXPECT_STREQ(path, expected);
  EXPECT_EQ(path[0], '/');

  // Exactly fitting with its terminator works; one byte less leaves the buffer empty.
  std::string exact(length + 1, 'x');
  EXPECT_TRUE(copyBundlePath(handle, exact.data(), length + 1));
  EXPECT_STREQ(exact.c_str(), expected);
  std::string tooSmall(length, 'x');
  EXPECT_FALSE(copyBundlePath(handle, tooSmall.data(), length));
  EXPECT_EQ(tooSmall[0], '\0');

  path[0] = 'x';
  EXPECT_FALSE(copyBundlePath(nullptr, path, sizeof path));
  EXPECT_EQ(path[0], '\0');
  EXPECT_FALSE(retainBundle(nullptr));
  std::free(expected);
  dlclose(handle);
}

TEST(BundleRef, RelativeLoadNameBecomesAbsolute) {
  char* expected = realpath(PX7000_BUNDLE_PATH, nullptr);
  ASSERT_NE(expected, nullptr);
  std::string folder(expected);
  const std::string file = "./" + folder.substr(folder.rfind('/') + 1);
  folder.resize(folder.rfind('/'));
  char previous[PATH_MAX];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(folder.c_str()), 0);
  // A host calls bundleEntry right after dlopen, in the same working directory.
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  char path[2048] = {};
  const bool copied = handle != nullptr && copyBundlePath(handle, path, sizeof path);
  ASSERT_EQ(chdir(previous), 0);
  ASSERT_NE(handle, nullptr) << dlerror();
  EXPECT_TRUE(copied);
  EXPECT_STREQ(path, expected);
  dlclose(handle);
  std::free(expected);
}

}  // namespace
}  // namespace Quillon::platform
