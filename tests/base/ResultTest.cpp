#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>

#include "base/Result.h"

namespace moravel {
namespace {

TEST(ErrorTest, FromErrnoSortsTheCausesACallerActsOn) {
  EXPECT_EQ(Error::FromErrno(ENOENT, "x").kind, ErrorKind::kNotFound);
  EXPECT_EQ(Error::FromErrno(EROFS, "x").kind, ErrorKind::kAccessDenied);
  EXPECT_EQ(Error::FromErrno(EACCES, "x").kind, ErrorKind::kAccessDenied);
  EXPECT_EQ(Error::FromErrno(ENOSPC, "x").kind, ErrorKind::kNoSpace);
  EXPECT_EQ(Error::FromErrno(EFBIG, "x").kind, ErrorKind::kNoSpace);
  EXPECT_EQ(Error::FromErrno(EIO, "x").kind, ErrorKind::kFailed);
  Error e = Error::FromErrno(ENOSPC, "user.ini");
  EXPECT_EQ(e.systemCode, ENOSPC);
  EXPECT_EQ(e.message.rfind("user.ini: ", 0), 0u) << e.message;
  EXPECT_GT(e.message.size(), std::string("user.ini: ").size());
}

TEST(ResultTest, HoldsAMoveOnlyValueOrAnError) {
  Result<std::unique_ptr<int>> good = std::make_unique<int>(7);
  ASSERT_TRUE(good);
  std::unique_ptr<int> taken = *std::move(good);
  EXPECT_EQ(*taken, 7);

  Result<std::unique_ptr<int>> bad = Error{ErrorKind::kMalformed, "bad header"};
  ASSERT_FALSE(bad);
  EXPECT_EQ(bad.error().kind, ErrorKind::kMalformed);
  EXPECT_EQ(bad.error().message, "bad header");

  Result<void> done;
  EXPECT_TRUE(done);
  Result<void> failed = Error{ErrorKind::kNoSpace, "disk full"};
  ASSERT_FALSE(failed);
  EXPECT_EQ(failed.error().kind, ErrorKind::kNoSpace);
}

}  // namespace
}  // namespace moravel
