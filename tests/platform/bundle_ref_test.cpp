// Tests of bundle references on Linux: retaining, releasing and the bundle's path.
#include "platform/bundle_ref.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace Quillon::platform {
namespace {

bool isLoaded() {
  void* handle = dlopen(PX7000_BUNDLE_PATH, RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);
  return true;
}

TEST(BundleRef, RetainHoldsTheLibraryUntilRelease) {
  void* handle = dlopen(PX7000_BUNDLE_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  ASSERT_TRUE(retainBundle(handle));
  dlclose(handle);
  EXPECT_TRUE(isLoaded());
  releaseBundle(handle);
  EXPECT_FALSE(isLoaded());

  EXPECT_FALSE(retainBundle(nullptr));
  releaseBundle(nullptr);  // does nothing
}

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
  EXPECT_FALSE(copyBundlePath(handle, nullptr, 0));
  std::free(expected);
  dlclose(handle);
}

}  // namespace
}  // namespace Quillon::platform
