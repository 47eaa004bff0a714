// Errors kept while a grid paints: each reported once, per owner, and again
// only after its source has worked in between.
#include <gtest/gtest.h>

#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "grid/grid_deferred_errors.h"

namespace {

void Capture(TlxGridDeferredErrors& errors, const void* owner, const void* source, const std::string& message) {
  try {
    throw std::runtime_error(message);
  } catch (const std::exception&) {
    errors.CaptureCurrent(owner, source);
  }
}

std::vector<std::string> Flush(TlxGridDeferredErrors& errors, const void* owner) {
  std::vector<std::string> messages;
  errors.Flush(owner, [&](const std::exception_ptr& error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& exception) {
      messages.push_back(exception.what());
    }
  });
  return messages;
}

}  // namespace

TEST(GridDeferredErrorsTest, AnErrorIsReportedOnceWhileItsSourceKeepsFailing) {
  TlxGridDeferredErrors errors;
  const int view = 0;
  const int item = 0;
  Capture(errors, &view, &item, "bad format");
  Capture(errors, &view, &item, "bad format");
  EXPECT_TRUE(errors.HasPending(&view));
  EXPECT_EQ(Flush(errors, &view), std::vector<std::string>{"bad format"});
  EXPECT_FALSE(errors.HasPending(&view));

  // Later paints fail the same way: nothing new.
  Capture(errors, &view, &item, "bad format");
  EXPECT_TRUE(Flush(errors, &view).empty());
  // Another failure of the same source is news.
  Capture(errors, &view, &item, "other");
  EXPECT_EQ(Flush(errors, &view), std::vector<std::string>{"other"});

  // Once the source worked, the old failure is news again.
  errors.SourceSucceeded(&view, &item);
  Capture(errors, &view, &item, "bad format");
  EXPECT_EQ(Flush(errors, &view), std::vector<std::string>{"bad format"});
}

TEST(GridDeferredErrorsTest, OwnersAreFlushedAndForgottenApart) {
  TlxGridDeferredErrors errors;
  const int first = 0;
  const int second = 0;
  const int item = 0;
  Capture(errors, &first, &item, "one");
  Capture(errors, &second, &item, "two");
  EXPECT_EQ(Flush(errors, &first), std::vector<std::string>{"one"});
  EXPECT_TRUE(errors.HasPending(&second));

  // A gone owner leaves nothing behind, not even what was reported.
  errors.Forget(&second);
  EXPECT_FALSE(errors.HasPending(&second));
  errors.Forget(&first);
  Capture(errors, &first, &item, "one");
  EXPECT_EQ(Flush(errors, &first), std::vector<std::string>{"one"});
}

TEST(GridDeferredErrorsTest, AReportThatRaisesKeepsTheRestForTheNextFlush) {
  TlxGridDeferredErrors errors;
  const int view = 0;
  const int first_item = 0;
  const int second_item = 0;
  Capture(errors, &view, &first_item, "first");
  Capture(errors, &view, &second_item, "second");
  EXPECT_THROW(errors.Flush(&view, [](const std::exception_ptr&) { throw std::runtime_error("handler"); }),
               std::runtime_error);
  EXPECT_EQ(Flush(errors, &view), std::vector<std::string>{"second"});
}
