#include "platform/InstanceLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace quivorant {
namespace {

TEST(InstanceLock, IsReentrantForItsHolderAndExcludesOthersUntilFullyReleased) {
  InstanceLock lock;
  std::atomic<bool> otherGotIn{false};
  lock.Lock();
  lock.Lock();  // the effect's handlers re-enter while processing holds the lock
  std::thread other([&] {
    InstanceLock::Scope s(lock);
    otherGotIn = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(otherGotIn.load());
  lock.Unlock();  // still held once
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(otherGotIn.load());
  lock.Unlock();
  other.join();
  EXPECT_TRUE(otherGotIn.load());
}

}  // namespace
}  // namespace quivorant
